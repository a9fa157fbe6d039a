#!/usr/bin/env bash
# Sets everything up, builds Trendoria and launches it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target trendoria_all
exec "$root/build/bin/trendoria" "$@"
