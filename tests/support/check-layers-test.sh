#!/usr/bin/env bash
# The layer check on a small tree of its own: an allowed include, a listed
# one, a listed one that is gone and two new upward ones (one through a
# spaced "# include"). The check must fail naming exactly the two new ones
# and note the gone one; with both listed it must pass.
set -uo pipefail
check="$1"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/cmake" "$tree/core" "$tree/chart" "$tree/app"
cat > "$tree/cmake/layers.txt" <<'LAYERS'
# comment
core:
chart: core
app: core chart
LAYERS
cat > "$tree/cmake/layer-exceptions.txt" <<'LISTED'
# listed
chart/QxZone.cpp app/QxApplication.h
chart/QxGone.cpp app/QxApplication.h
LISTED
printf '#include "core/QxAtom.h"\n#include "app/QxApplication.h"\n' > "$tree/chart/QxZone.cpp"
printf '#include "chart/QxZone.h"\n#include <vector>\n' > "$tree/core/QxAtom.h"
printf '  #  include "app/QxGlobalVars.h"\n' > "$tree/core/QxTime.cpp"
printf '#include "core/QxAtom.h"\n#include "chart/QxZone.h"\n' > "$tree/app/QxApplication.cpp"

fail() { echo "FAILED: $*"; exit 1; }
out="$(bash "$check" "$tree" 2>&1)"
rc=$?
echo "$out"
[ "$rc" -eq 1 ] || fail "exit status $rc, expected 1"
new="$(grep -c "may not use" <<< "$out")"
[ "$new" -eq 2 ] || fail "$new new includes named, expected 2"
grep -q "core/QxAtom.h includes chart/QxZone.h" <<< "$out" || fail "the header's include is not named"
grep -q "core/QxTime.cpp includes app/QxGlobalVars.h" <<< "$out" || fail "the spaced include is not named"
grep -q "chart/QxGone.cpp app/QxApplication.h is listed .* no longer included" <<< "$out" ||
  fail "the gone include is not noted"

printf 'core/QxAtom.h chart/QxZone.h\ncore/QxTime.cpp app/QxGlobalVars.h\n' >> "$tree/cmake/layer-exceptions.txt"
out="$(bash "$check" "$tree" 2>&1)" || fail "refused a tree whose upward includes are all listed: $out"
grep -q "3 listed includes reach upward" <<< "$out" || fail "unexpected summary: $out"
echo "PASSED"
