#!/bin/sh
# Configures (once) and builds one preset, quietly unless it fails:
# scripts/build.sh [PRESET]
set -eu
cd "$(dirname "$0")/.."
preset=${1:-default}
case "$preset" in
  default) dir=build ;;
  *) dir=build-$preset ;;
esac
mkdir -p "$dir"
log="$dir/last-build.log"
if [ ! -f "$dir/build.ninja" ]; then
  cmake --preset "$preset" >"$log" 2>&1 || { cat "$log"; exit 1; }
fi
cmake --build "$dir" >"$log" 2>&1 || { cat "$log"; exit 1; }
