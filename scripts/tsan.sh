#!/usr/bin/env bash
# Builds the tests of the threads (the idea finder's worker, the providers'
# download threads and the alert manager that waits on them) with
# ThreadSanitizer in build-tsan, beside the test tree, and runs them, each
# test in its own process as ctest runs it, under a virtual display.  Every
# report goes to build-tsan/tsan-logs/; the script ends with one line per
# place a race or a lock-order inversion was found and a line of figures:
#   tsan: tests=<n> failed=<n> reports=<n> distinct=<n>
# and fails when any test failed or anything was reported.
#   scripts/tsan.sh [ctest regex]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-tsan"
regex="${1:-^(IdeaFinderScan|IdeaScan|IdeaScanPrices|IdeaScanPrivateCopy|AlertMgr|AlertMgrTest|GoogleDownload|LoadedProviders|HistoryDatabase)\.}"
"$root/scripts/setup.sh"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRENDORIA_TSAN=ON >/dev/null
fi
cmake --build "$build" --target test_trading test_plugins_webproviders test_plugins_webproviders_gui

logs="$build/tsan-logs"
rm -rf "$logs"
mkdir -p "$logs"
# Reports of races inside the desktop's own libraries, which are not built
# with ThreadSanitizer, are left out by tests/support/tsan-desktop.supp;
# everything in the program's code is reported.
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=0:second_deadlock_stack=1:history_size=4:exitcode=66:suppressions=$root/tests/support/tsan-desktop.supp:log_path=$logs/report}"
status=0
cd "$build"
xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp" \
  ctest --output-on-failure -j 4 -R "$regex" --timeout 900 2>&1 | tee "$logs/ctest.log" || status=1
grep -q "tests passed, 0 tests failed" "$logs/ctest.log" || status=1

tests="$(sed -n 's/.*tests passed, [0-9]* tests failed out of \([0-9]*\).*/\1/p' "$logs/ctest.log")"
failed="$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of.*/\1/p' "$logs/ctest.log")"
reports="$(cat "$logs"/report.* 2>/dev/null | grep -c '^WARNING: ThreadSanitizer' || true)"
# One line per distinct place: the report's summary line.
cat "$logs"/report.* 2>/dev/null | sed -n 's/^SUMMARY: ThreadSanitizer: //p' | sort | uniq -c | sort -rn \
  >"$logs/distinct.txt" || true
sed 's/^/tsan: /' "$logs/distinct.txt"
distinct="$(wc -l <"$logs/distinct.txt")"
echo "tsan: tests=${tests:-?} failed=${failed:-?} reports=$reports distinct=$distinct (reports in $logs)"
[ "$reports" -eq 0 ] || status=1
exit $status
