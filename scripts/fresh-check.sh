#!/usr/bin/env bash
# Proves the quick start on a clean Debian 12: a minbase bookworm root holding only g++, cmake,
# git and python3, a fresh clone of this repository's committed HEAD inside it, then
# scripts/test.sh run there as root through chroot. Whatever the build or the tests need beyond
# those four must come from scripts/deps.sh, or this fails.
#
#   scripts/fresh-check.sh            # root in /tmp/brenvik-fresh, removed afterwards
#   FRESH_ROOT=/srv/fresh KEEP=1 scripts/fresh-check.sh
#
# Needs root (or sudo), debootstrap (installed when missing) and a Debian mirror
# (DEBIAN_MIRROR, default deb.debian.org). Prints the time each stage took.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
target="${FRESH_ROOT:-/tmp/brenvik-fresh}"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"

if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=FRESH_ROOT,DEBIAN_MIRROR,KEEP "$0" "$@"
fi

stage_start=$SECONDS
all_start=$SECONDS
stage() {
  echo "== $1 ($((SECONDS - stage_start)) s for the stage before)"
  stage_start=$SECONDS
}

unmount_all() {
  for m in dev/pts dev proc sys; do
    mountpoint -q "$target/$m" 2>/dev/null && umount -l "$target/$m" || true
  done
}
cleanup() {
  unmount_all
  if [ -z "${KEEP:-}" ]; then rm -rf --one-file-system "$target"; fi
}
trap cleanup EXIT

if ! command -v debootstrap >/dev/null; then
  stage "installing debootstrap on the host"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
fi

unmount_all
rm -rf --one-file-system "$target"
stage "debootstrap --variant=minbase bookworm $target"
debootstrap --variant=minbase bookworm "$target" "$mirror" >/dev/null

mount -t proc proc "$target/proc"
mount -t sysfs sys "$target/sys"
mount --bind /dev "$target/dev"
mount --bind /dev/pts "$target/dev/pts"
cp /etc/resolv.conf "$target/etc/resolv.conf"

in_root() {
  chroot "$target" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

stage "installing only g++, cmake, git and python3"
in_root bash -c 'export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends \
    g++ cmake git python3 ca-certificates >/dev/null'

stage "fresh clone of the committed HEAD"
git clone -q --no-local "$repo" "$target/root/brenvik"
in_root git -C /root/brenvik log -1 --format='   at %h %s'

stage "scripts/test.sh inside the clean root"
in_root bash -c 'cd /root/brenvik && scripts/test.sh'

stage "done"
echo "fresh-check passed in $((SECONDS - all_start)) s"
