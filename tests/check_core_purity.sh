#!/bin/sh
# zeph_core is standard C++ only: no Qt, no header of the desktop program.
# Its areas form layers: an area includes only itself and the areas listed
# before it, so no cycle can form between them. (What zeph_core links is
# checked when the build is configured: cmake/ZephCorePurity.cmake.)
core_dir=${1:?usage: check_core_purity.sh SRC_CORE_DIR}
status=0
hits=$(grep -rnE '#\s*include\s*[<"](Q[A-Za-z]+|qt[a-z]*/|app/|cardservice/|tools/)' "$core_dir" || true)
if [ -n "$hits" ]; then
  echo "zeph_core must not include Qt or app headers:" >&2
  echo "$hits" >&2
  status=1
fi

layers="util resources store codecs pictures devicelink settings folders compose startup"
allowed=""
for area in $layers; do
  allowed="$allowed $area"
  [ -d "$core_dir/$area" ] || continue
  for target in $(grep -rhoE '#\s*include\s*"core/[a-z_]+/' "$core_dir/$area" |
                  sed -E 's|.*"core/([a-z_]+)/|\1|' | sort -u); do
    case " $allowed " in
      *" $target "*) ;;
      *)
        echo "core/$area must not include core/$target (a later layer):" >&2
        grep -rnE "#\s*include\s*\"core/$target/" "$core_dir/$area" >&2
        status=1
        ;;
    esac
  done
done
# Every area is one of the layers, so a new one gets a place in the order.
for dir in "$core_dir"/*/; do
  area=$(basename "$dir")
  case " $layers " in
    *" $area "*) ;;
    *) echo "core/$area is not in the layer order of $0" >&2; status=1 ;;
  esac
done
exit $status
