#!/bin/sh
# Builds (with clang++, whose lock analysis checks the annotations as it
# compiles) and runs the tests under the address and undefined-behaviour
# sanitizers, then every test (the send engine's threads and the program's
# offscreen tests among them) under the thread sanitizer. Qt is not built
# with the thread sanitizer; the races it reports inside Qt's own libraries
# are suppressed by scripts/tsan-suppressions.txt.
set -eu
cd "$(dirname "$0")/.."
ZEPH_WITH_CLANG=1 scripts/install-deps.sh
scripts/build.sh asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  scripts/ctest-quiet.sh build-asan
scripts/build.sh tsan
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$(pwd)/scripts/tsan-suppressions.txt" \
  scripts/ctest-quiet.sh build-tsan
