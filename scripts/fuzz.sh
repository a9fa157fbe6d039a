#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (in build-fuzz, beside
# the test tree) and runs each for the given number of seconds (60 unless
# told), one after another.  New inputs go to build-fuzz/corpus/<target>,
# seeded from fuzz/corpus; a crash leaves its input in
# build-fuzz/crashes/<target>/ and fails the script.  Keep a crash input
# as a regression case by copying it to fuzz/regressions/<target>/ once
# the reader is fixed: the tests replay it.
#   scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="$root/build-fuzz"
"$root/scripts/setup.sh"

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRENDORIA_FUZZ=ON >/dev/null
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/fuzz/corpus/*/; do targets+=("$(basename "$f")"); done
fi
cmake --build "$build" --target $(printf 'fuzz_%s ' "${targets[@]}")

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/fuzz/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
failed=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  crashes="$build/crashes/$t"
  mkdir -p "$corpus" "$crashes"
  echo "fuzz: $t for ${seconds}s"
  # The readers fill in chart defaults from the toolkit, which wants a display.
  if ! xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$build/fuzz-bin/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$corpus" "$root/fuzz/corpus/$t" 2>"$build/fuzz_$t.log"; then
    failed+=("$t")
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build/fuzz_$t.log" | sed "s/^/fuzz: $t /" || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]} (logs in $build/fuzz_<target>.log, inputs in $build/crashes/)" >&2
  exit 1
fi
