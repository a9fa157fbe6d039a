#!/usr/bin/env bash
# Checks the layer rule: every include of another folder's header is allowed
# by cmake/layers.txt or listed, by file, in cmake/layer-exceptions.txt.
# Fails naming each include that is neither; notes listed includes that are
# gone (so the list can shrink). Usage: scripts/check-layers.sh [source root]
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

declare -A allowed
folders=()
while read -r line; do
  line="${line%%#*}"
  [[ "$line" =~ ^([a-z]+):(.*)$ ]] || continue
  folder="${BASH_REMATCH[1]}"
  folders+=("$folder")
  allowed[$folder]=" $folder ${BASH_REMATCH[2]} "
done < cmake/layers.txt

declare -A listed
while read -r file inc _; do
  [ -n "${file:-}" ] && [ "${file:0:1}" != "#" ] || continue
  listed["$file $inc"]=1
done < cmake/layer-exceptions.txt

found="$(mktemp)"
trap 'rm -f "$found"' EXIT
for folder in "${folders[@]}"; do
  [ -d "$folder" ] || continue
  grep -rHo --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]*/[^"]*"' "$folder" |
    sed -E 's/:[[:space:]]*#[[:space:]]*include[[:space:]]*"/ /; s/"$//' |
    while read -r file inc; do
      target="${inc%%/*}"
      [ -n "${allowed[$target]+x}" ] || continue # not one of the layers
      [[ "${allowed[$folder]}" == *" $target "* ]] && continue
      echo "$file $inc"
    done
done | sort -u > "$found"

status=0
while read -r file inc; do
  if [ -z "${listed["$file $inc"]+x}" ]; then
    echo "layer rule: $file includes $inc, which ${file%%/*}/ may not use (cmake/layers.txt)" >&2
    status=1
  fi
done < "$found"
for key in "${!listed[@]}"; do
  grep -qxF "$key" "$found" || echo "layer rule: $key is listed in cmake/layer-exceptions.txt but no longer included"
done | sort
if [ "$status" -eq 0 ]; then
  echo "layer rule: $(wc -l < "$found") listed includes reach upward, no others"
fi
exit "$status"
