#!/bin/sh
# Builds and runs the benchmarks (they are never part of the tests).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
for b in build/bench/*_bench; do
  echo "== $b"
  "$b" "$@"
done
