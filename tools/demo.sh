#!/usr/bin/env bash
# The demo: runs the launcher on Linux and under wine64.
set -eu
build=$(realpath "${1:-build}")
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
wine=${WYR_WINE:-/usr/lib/wine/wine64}
echo "== Linux: $build/linux/wyr"
"$build/linux/wyr" || true
echo "== wine64: $build/win64/wyr.exe"
"$wine" "$build/win64/wyr.exe" || true
"$(dirname "$wine")/wineserver" -k 2>/dev/null || true
