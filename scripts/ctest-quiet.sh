#!/bin/sh
# Runs ctest in a build folder; prints the summary, or everything on failure.
set -eu
dir=$1
shift
log="$dir/last-test.log"
if ctest --test-dir "$dir" --output-on-failure -j2 "$@" >"$log" 2>&1; then
  grep -E 'tests passed|Total Test time' "$log"
else
  cat "$log"
  exit 1
fi
