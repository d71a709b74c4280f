#!/bin/sh
# Configures and builds one preset, quietly unless it fails:
# scripts/build.sh [PRESET]
#
# The build folder is configured again when the preset changed since it was
# configured: afresh when the preset's cache variables differ (a variable
# dropped from the preset would stay in the old cache, and a new compiler
# needs a new cache), else in place when only CMakePresets.json changed.
set -eu
cd "$(dirname "$0")/.."
preset=${1:-default}
case "$preset" in
  default) dir=build ;;
  *) dir=build-$preset ;;
esac
mkdir -p "$dir"
log="$dir/last-build.log"
variables=$(cmake --preset "$preset" -N) || { echo "$variables"; exit 1; }
configure=""
if [ ! -f "$dir/build.ninja" ] || [ ! -f "$dir/configured-preset.txt" ] ||
  [ "$variables" != "$(cat "$dir/configured-preset.txt")" ]; then
  configure=--fresh
elif ! cmp -s CMakePresets.json "$dir/configured-presets.json"; then
  configure=in-place
fi
if [ -n "$configure" ]; then
  rm -f "$dir/configured-preset.txt"  # stays away until a configure succeeds
  if [ "$configure" = --fresh ]; then
    cmake --preset "$preset" --fresh >"$log" 2>&1 || { cat "$log"; exit 1; }
  else
    cmake --preset "$preset" >"$log" 2>&1 || { cat "$log"; exit 1; }
  fi
  printf '%s\n' "$variables" >"$dir/configured-preset.txt"
  cp CMakePresets.json "$dir/configured-presets.json"
fi
cmake --build "$dir" >"$log" 2>&1 || { cat "$log"; exit 1; }
