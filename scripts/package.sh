#!/usr/bin/env bash
# Builds the Debian package brenvik_<version>_amd64.deb with CPack: installs what is missing,
# builds into build/ (or $BUILD_DIR) as scripts/build.sh does, then packs what `cmake --install`
# places under /usr. dpkg-shlibdeps computes the package's dependencies. Prints the package's
# path on its last line.
#
#   scripts/package.sh && sudo apt-get install ./build/brenvik_*_amd64.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
command -v help2man >/dev/null || { echo "package.sh: help2man is missing, the manual page would be" >&2; exit 1; }
rm -f "$build"/brenvik_*_amd64.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/brenvik_*_amd64.deb)
dpkg-deb --field "$deb" Package Version Depends >&2
echo "$deb"
