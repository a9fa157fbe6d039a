#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (in build-fuzz, beside
# the test tree) and runs each, one after another: for the given number of
# seconds (60 unless told), or with "budget" for what fuzz/budgets gives it
# (a million executions for a reader fed from memory, ten minutes for one
# that goes through files).  New inputs go to build-fuzz/corpus/<target>,
# seeded from fuzz/corpus; a crash, a leak or an input that takes longer
# than 30 s (a hang) leaves its input in build-fuzz/crashes/<target>/ and
# fails the script.  Keep a crash input as a regression case by copying it
# to fuzz/regressions/<target>/ once the reader is fixed: the tests replay
# it.  Each target ends with a line of its figures:
#   fuzz: <target> runs=<executions> seconds=<time> crashes=<n>
#   scripts/fuzz.sh [seconds|budget] [target...]
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
# Each target's private HOME, where those that go through files write: in
# memory where the machine has such a file system.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
# The libFuzzer options that give target $1 its run.
limit_of() {
  if [ "$seconds" != budget ]; then
    echo "-max_total_time=$seconds"
    return
  fi
  local kind amount
  read -r kind amount < <(awk -v t="$1" '$1 == t { print $2, $3 }' "$root/fuzz/budgets")
  case "$kind" in
    runs) echo "-runs=$amount" ;;
    seconds) echo "-max_total_time=$amount" ;;
    *) echo "fuzz: $1 has no line in fuzz/budgets" >&2; return 1 ;;
  esac
}

failed=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  crashes="$build/crashes/$t"
  mkdir -p "$corpus" "$crashes"
  limit="$(limit_of "$t")"
  echo "fuzz: $t with $limit"
  started=$SECONDS
  marker="$build/.fuzz_$t.started"
  touch "$marker"
  # The readers fill in chart defaults from the toolkit, which wants a display.
  if ! xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$build/fuzz-bin/fuzz_$t" "$limit" -timeout=30 \
        -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" "$root/fuzz/corpus/$t" 2>"$build/fuzz_$t.log"; then
    failed+=("$t")
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz_$t.log")"
  echo "fuzz: $t runs=${runs:-?} seconds=$((SECONDS - started)) crashes=$(find "$crashes" -type f -newer "$marker" | wc -l)"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]} (logs in $build/fuzz_<target>.log, inputs in $build/crashes/)" >&2
  exit 1
fi
