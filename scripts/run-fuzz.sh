#!/bin/sh
# Builds the libFuzzer targets (fuzz preset: clang++, address and
# undefined-behaviour sanitizers) and runs each for a bounded time on a copy
# of its seed corpus in fuzz/corpus/<target>/. A crash, a sanitizer report, a
# failed check or a hang fails the script; the input that caused it is kept
# in build-fuzz/artifacts/.
#   scripts/run-fuzz.sh [SECONDS_PER_TARGET]   (default 30)
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-30}
ZEPH_WITH_FUZZ=1 scripts/install-deps.sh
scripts/build.sh fuzz

artifacts=build-fuzz/artifacts
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  binary=build-fuzz/fuzz/$target
  [ -x "$binary" ] || { echo "fuzz: no binary for corpus $target" >&2; exit 1; }
  mkdir -p "$work/$target"
  cp "$seeds"* "$work/$target/"
  log="$work/$target.log"
  if ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$binary" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$artifacts/$target-" \
      "$work/$target" >"$log" 2>&1; then
    runs=$(grep -o 'Done [0-9]* runs' "$log" | tail -n 1 || true)
    echo "fuzz $target: ${runs:-done} in ${seconds}s, no crash"
  else
    tail -n 60 "$log"
    echo "fuzz $target: FAILED (input kept in $artifacts/)" >&2
    exit 1
  fi
done
