#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzzers (clang and its libFuzzer
# runtime), the screen checks and the Debian package (help2man for the manual page, dpkg-dev
# and file for the computed dependencies, the freedesktop validators and the MIME database) need.
# Idempotent and quiet when everything is there already.
set -euo pipefail
packages=(cmake g++ make ccache qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
          libemf2svg-dev libuemf-dev fonts-liberation2 xvfb xauth xdotool imagemagick poppler-utils
          clang libclang-rt-14-dev
          help2man dpkg-dev file desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
