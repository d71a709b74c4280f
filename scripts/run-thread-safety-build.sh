#!/bin/sh
# Builds every target with clang++ and -Wthread-safety -Werror (the
# thread-safety preset): a lock annotation broken anywhere (a guarded list
# walked without its lock, a lock taken twice or not given back) fails the
# build. The check is the compilation itself; the tests are run by the other
# builds.
set -eu
cd "$(dirname "$0")/.."
ZEPH_WITH_CLANG=1 scripts/install-deps.sh
scripts/build.sh thread-safety
echo "thread-safety: clang's lock analysis found nothing"
