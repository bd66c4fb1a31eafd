#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang under AddressSanitizer and UBSan (into
# build-fuzz/, or $FUZZ_BUILD_DIR) and runs each for FUZZ_SECONDS (default 15) from a seed
# corpus of the shipped side files. A crash, a leak or a sanitizer report fails the run and
# leaves the input that caused it in the build folder (crash-*, leak-*).
#
#   scripts/fuzz.sh                      # every target: the parsers, then open and save through the windows
#   FUZZ_SECONDS=600 scripts/fuzz.sh fuzz_picture
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-15}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_profilefile fuzz_picture fuzz_plotdata fuzz_sketchlibrary fuzz_qualify fuzz_document)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENVIK_FUZZ=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}" >/dev/null

seeds() {
  case "$1" in
    fuzz_profilefile) echo "$root/fuzz/seeds $build/bin/zoru.dat $build/bin/examples" ;;
    fuzz_picture) echo "$root/fuzz/seeds $build/bin/examples" ;;
    fuzz_document) echo "$root/fuzz/seeds $build/bin/examples" ;;
    fuzz_qualify) echo "$root/fuzz/seeds/qualify $build/bin/examples" ;;
    fuzz_plotdata) echo "$build/bin/zorc.dat" ;;
    fuzz_sketchlibrary) echo "$root/fuzz/seeds/sketch $build/bin/zordrw.dat" ;;
  esac
}

# Seconds one input may take before it counts as a hang. Under the run's own 15 s, so that a
# hang fails the run instead of outlasting it; the document target opens real windows.
input_timeout() {
  case "$1" in
    fuzz_document) echo 60 ;;
    *) echo 10 ;;
  esac
}

export QT_QPA_PLATFORM=offscreen
# Qt keeps caches for the life of the process; leaks at exit are not the parsers' faults.
export ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
status=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  # shellcheck disable=SC2046
  find $(seeds "$t") -type f -size -1024k -exec cp {} "$corpus/" \; 2>/dev/null || true
  echo "== $t for ${seconds} s"
  if ! (cd "$build" && "./bin/$t" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=6144 -timeout="$(input_timeout "$t")" \
          -print_final_stats=1 "$corpus" 2> "$build/$t.log"); then
    status=1
    tail -40 "$build/$t.log"
  fi
  grep -E "^stat::number_of_executed_units|^#[0-9]+.*DONE" "$build/$t.log" | tail -2 || true
done
exit $status
