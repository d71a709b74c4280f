#!/bin/sh
# zeph_core is standard C++ only: no Qt, no header of the desktop program.
core_dir=${1:?usage: check_core_purity.sh SRC_CORE_DIR}
hits=$(grep -rnE '#\s*include\s*[<"](Q[A-Za-z]+|qt[a-z]*/|app/)' "$core_dir" || true)
if [ -n "$hits" ]; then
  echo "zeph_core must not include Qt or app headers:" >&2
  echo "$hits" >&2
  exit 1
fi
exit 0
