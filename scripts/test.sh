#!/usr/bin/env bash
# Sets everything up, builds Trendoria with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test under a virtual display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
build="$root/build-test"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRENDORIA_SANITIZE=ON >/dev/null
cmake --build "$build"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$build"
xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp" \
  ctest --output-on-failure -j "$(nproc)" "$@"
