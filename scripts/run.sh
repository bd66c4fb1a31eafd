#!/usr/bin/env bash
# Quick start, first command: install what is missing, build, start Brenvik.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
exe="${BUILD_DIR:-$root/build}/bin/brenvik"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
Brenvik is built ($exe), but there is no display to show its window on.
Run it under a virtual display:   xvfb-run -a $exe
or use the headless commands:     $exe --help
  $exe --export-pdf OUT.pdf FILE.wrp     report of a document as PDF
  $exe --print-fields FILE.wrp           the report's fields as text
  $exe --resave OUT.wrp FILE.wrp         open and save a document
  $exe --batch --company TEXT --address TEXT [--copy-to DIR] FILE.wrp...
and the tests:                    scripts/test.sh
MSG
  exit 1
fi
exec "$exe" "$@"
