#!/usr/bin/env bash
# Proves the quick start on a clean Debian 12: a minbase bookworm root holding only g++, cmake,
# git and python3, a fresh clone of this repository's committed HEAD inside it, then
# scripts/test.sh run there as root through chroot. Whatever the build or the tests need beyond
# those four must come from scripts/deps.sh, or this fails.
#
# Then the package: scripts/package.sh builds the .deb in that root, apt-get installs it in a
# second clean root (a copy of the minbase root as debootstrap left it; without the recommended
# packages, so that the computed dependencies alone must do), and a user who is not
# root makes a document in the home folder, exports an installed example to PDF without a word
# on stderr, and the desktop entry, the AppStream description and the .wrp type are checked with
# the platform's own tools.
#
#   scripts/fresh-check.sh            # roots in /tmp/brenvik-fresh(-package), removed afterwards
#   FRESH_ROOT=/srv/fresh KEEP=1 scripts/fresh-check.sh
#   PACKAGE_ONLY=1 scripts/fresh-check.sh   # the package stage alone, the .deb built here
#
# Needs root (or sudo), debootstrap (installed when missing) and a Debian mirror
# (DEBIAN_MIRROR, default deb.debian.org). Prints the time each stage took.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
target="${FRESH_ROOT:-/tmp/brenvik-fresh}"
second="$target-package"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"

if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=FRESH_ROOT,DEBIAN_MIRROR,KEEP,PACKAGE_ONLY "$0" "$@"
fi

stage_start=$SECONDS
all_start=$SECONDS
stage() {
  echo "== $1 ($((SECONDS - stage_start)) s for the stage before)"
  stage_start=$SECONDS
}

unmount_all() {
  for root in "$target" "$second"; do
    for m in dev/pts dev proc sys; do
      mountpoint -q "$root/$m" 2>/dev/null && umount -l "$root/$m" || true
    done
  done
}
cleanup() {
  unmount_all
  if [ -z "${KEEP:-}" ]; then rm -rf --one-file-system "$target" "$second"; fi
}
mount_into() {
  mount -t proc proc "$1/proc"
  mount -t sysfs sys "$1/sys"
  mount --bind /dev "$1/dev"
  mount --bind /dev/pts "$1/dev/pts"
  cp /etc/resolv.conf "$1/etc/resolv.conf"
}
trap cleanup EXIT

if ! command -v debootstrap >/dev/null; then
  stage "installing debootstrap on the host"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
fi

unmount_all
rm -rf --one-file-system "$target" "$second"
in_root() {
  chroot "$target" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

if [ -n "${PACKAGE_ONLY:-}" ]; then
  stage "scripts/package.sh on this machine"
  deb=$("$repo/scripts/package.sh" | tail -1)
  stage "debootstrap --variant=minbase bookworm $second"
  debootstrap --variant=minbase bookworm "$second" "$mirror" >/dev/null
  cp "$deb" "$second/tmp/"
else
  stage "debootstrap --variant=minbase bookworm $target"
  debootstrap --variant=minbase bookworm "$target" "$mirror" >/dev/null
  # The second clean root, for the package, before anything is added to the first.
  cp -a "$target" "$second"
  mount_into "$target"

  stage "installing only g++, cmake, git and python3"
  in_root bash -c 'export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends \
      g++ cmake git python3 ca-certificates >/dev/null'

  stage "fresh clone of the committed HEAD"
  git clone -q --no-local "$repo" "$target/root/brenvik"
  in_root git -C /root/brenvik log -1 --format='   at %h %s'

  stage "scripts/test.sh inside the clean root"
  in_root bash -c 'cd /root/brenvik && scripts/test.sh'

  stage "scripts/package.sh inside the clean root"
  deb=$(in_root bash -c 'cd /root/brenvik && scripts/package.sh' | tail -1)
  cp "$target$deb" "$second/tmp/"
fi

deb_name=$(basename "$deb")
echo "   $deb_name"

stage "apt-get install ./$deb_name in a second clean root"
mount_into "$second"
in_second() {
  chroot "$second" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
in_second bash -c "export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends /tmp/$deb_name >/dev/null"
# The checking tools come after the package, so that they cannot supply what it lacks.
in_second bash -c 'export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq --no-install-recommends desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl >/dev/null
  useradd --create-home welder'

stage "the installed program, as a user who is not root"
chroot --userspec=welder:welder "$second" /usr/bin/env -i HOME=/home/welder TERM=dumb LANG=C.UTF-8 \
  PATH=/usr/local/bin:/usr/bin:/bin bash -euo pipefail -c '
cd "$HOME"
brenvik --new WPSR new-wps.wrp
echo "   brenvik --new WPSR: $(head -c 10 new-wps.wrp); the store seeded: $(ls ~/.local/share/brenvik | tr "\n" " ")"
test -f ~/.local/share/brenvik/zoru.dat
brenvik --export-pdf wps.pdf /usr/share/doc/brenvik/examples/wps-example.wrp 2>stderr.txt
if [ -s stderr.txt ]; then echo "--export-pdf wrote to stderr:"; cat stderr.txt; exit 1; fi
[ "$(head -c 4 wps.pdf)" = "%PDF" ]
echo "   --export-pdf of the installed example: $(stat -c %s wps.pdf) bytes, stderr empty"
desktop-file-validate /usr/share/applications/org.brenvik.Brenvik.desktop
echo "   desktop-file-validate: no complaint"
appstreamcli validate --no-net /usr/share/metainfo/org.brenvik.Brenvik.metainfo.xml
type=$(xdg-mime query filetype new-wps.wrp)
echo "   xdg-mime query filetype new-wps.wrp: $type"
[ "$type" = application/x-brenvik-document ]
test -f /usr/share/man/man1/brenvik.1.gz
'

stage "done"
echo "fresh-check passed in $((SECONDS - all_start)) s"
