#!/usr/bin/env bash
# Quick start, second command: install what is missing, build, run every test headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
cd "${BUILD_DIR:-$root/build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" "$@"
# Then the parsers under the fuzzers, a bounded time each (BRENVIK_NO_FUZZ=1 skips them).
if [ -z "${BRENVIK_NO_FUZZ:-}" ]; then
  "$root/scripts/fuzz.sh"
fi
