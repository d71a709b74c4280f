#!/bin/sh
# Fails when a C++ file in the repository differs from what clang-format
# makes of it with the checked-in .clang-format, and names the files.
# Reformat with: clang-format-14 -i $(git ls-files '*.cpp' '*.h')
set -eu
cd "$(dirname "$0")/.."
ZEPH_WITH_FORMAT=1 scripts/install-deps.sh
# shellcheck disable=SC2046
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror 2>/dev/null; then
  echo "check-format: these files differ from .clang-format:" >&2
  git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run 2>&1 |
    sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning:.*/  \1/p' | sort -u >&2
  exit 1
fi
echo "check-format: every C++ file follows .clang-format"
