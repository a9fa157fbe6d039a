#!/usr/bin/env bash
# The idea finder's full reports (every row of the whole-history and the
# three-day scan of 5,000 securities) made by the program of another commit
# (default: the first parent of HEAD) and by this tree, compared row by row.
# Builds both in Release; the reports (about 40 MB) stay in a scratch folder
# and are removed at the end (under $TMPDIR, default /tmp). Parallel jobs:
# CMAKE_BUILD_PARALLEL_LEVEL. Usage: scripts/bench-golden.sh [commit]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
commit="${1:-HEAD^}"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/trendoria-golden-XXXXXX")"
trap 'git -C "$root" worktree remove --force "$scratch/tree" >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
# The function set's sources come from setup.sh; once there, nothing is installed again.
[ -d "$root/third_party/talib" ] || "$root/scripts/setup.sh" >/dev/null
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
display=(xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp")
filter='--benchmark_filter=ScanAsTheProgramRunsIt'

git -C "$root" worktree add --detach "$scratch/tree" "$commit" >/dev/null
mkdir -p "$scratch/tree/third_party"
cp -r "$root/third_party/talib" "$scratch/tree/third_party/"
cmake -S "$scratch/tree" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$scratch/build" --target bench_idea_finder_scan trendoria
mkdir -p "$scratch/golden"
TRENDORIA_BENCH_REPORT_DIR="$scratch/golden" "${display[@]}" "$scratch/build/bench-bin/bench_idea_finder_scan" "$filter"

cmake -S "$root" -B "$root/build-rel" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$root/build-rel" --target bench_idea_finder_scan trendoria
TRENDORIA_BENCH_GOLDEN_DIR="$scratch/golden" "${display[@]}" "$root/build-rel/bench-bin/bench_idea_finder_scan" "$filter" |
  tee "$scratch/after.txt"
# A report that differs fails its benchmark with the first row that differs.
if grep -q "ERROR OCCURRED\|differs from the golden" "$scratch/after.txt"; then
  echo "the reports differ" >&2
  exit 1
fi
grep -q "same_as_golden=1" "$scratch/after.txt" || { echo "no report was compared" >&2; exit 1; }
echo "every row of both reports is the same as the golden one"
