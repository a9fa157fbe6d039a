#!/usr/bin/env bash
# Installs what Trendoria needs on a Debian 12 machine and unpacks the TA-Lib C
# sources.  Safe to run again: it only does what is missing.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(build-essential cmake ninja-build pkg-config libwxgtk3.2-dev
  libwxgtk-webview3.2-dev libgtk-3-dev libcairo2-dev libsqlite3-dev sqlite3 libcurl4-openssl-dev libboost-dev
  libexpat1-dev libgtest-dev libgmock-dev libbenchmark-dev libx11-dev xvfb xauth xdotool
  x11-xkb-utils openbox imagemagick fonts-dejavu-core ca-certificates ccache clang)
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# TA-Lib: the C sources carried by the npm package, checked against the
# registry's integrity.  Only the include and src folders are unpacked; the
# prebuilt objects in the package are never used.
talib_version="2.0.5"
talib_integrity="sha512-ktcijX0YpO9+tNbsb4j7IMEHpIEzweEJppm6q8WEEKNr7OxTDjgUcN+PovFBOTGFi0aZSU792yHfRw/2+LUm3g=="
dest="$root/third_party/talib"
stamp="$dest/.unpacked-$talib_version"
if [ ! -f "$stamp" ]; then
  mkdir -p "$root/third_party"
  tgz="$root/third_party/talib-$talib_version.tgz"
  if [ ! -f "$tgz" ]; then
    tmp="$(mktemp -d)"
    (cd "$tmp" && npm pack "talib@$talib_version" --silent >/dev/null)
    mv "$tmp/talib-$talib_version.tgz" "$tgz"
    rm -rf "$tmp"
  fi
  actual="sha512-$(node -e 'const c=require("crypto"),f=require("fs");process.stdout.write(c.createHash("sha512").update(f.readFileSync(process.argv[1])).digest("base64"))' "$tgz")"
  if [ "$actual" != "$talib_integrity" ]; then
    echo "setup: talib-$talib_version.tgz does not match the registry integrity" >&2
    echo "  expected $talib_integrity" >&2
    echo "  got      $actual" >&2
    rm -f "$tgz"
    exit 1
  fi
  rm -rf "$dest"
  mkdir -p "$dest"
  tar -xzf "$tgz" -C "$dest" --strip-components=3 package/src/lib/include package/src/lib/src
  touch "$stamp"
fi
