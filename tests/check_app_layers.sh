#!/bin/sh
# The desktop program's layers (README.md, "The desktop program in layers"):
# includes only point down, and the four module layers stand side by side,
# none including another or naming a class or struct another defines (a
# forward declaration and a cast reach across as surely as an include).
# Every project include names its area ("app/...", "core/...").
set -u
app_dir=${1:?usage: check_app_layers.sh SRC_APP_DIR}
module_layers="folders compose pictures contacts"

# The app layers that files of layer $1 may include.
allowed() {
  case $1 in
    platform) echo "platform" ;;
    base) echo "base platform" ;;
    controls) echo "controls base platform" ;;
    module) echo "module controls base platform" ;;
    folders | compose | pictures | contacts) echo "$1 module controls base platform" ;;
    cardsettings) echo "cardsettings controls base platform" ;;
    shell | .) echo "shell folders compose pictures contacts module controls base platform" ;;
    tools) echo "tools shell cardsettings folders compose pictures contacts module controls base platform" ;;
    *) return 1 ;;
  esac
}

violations=$(
  cd "$app_dir" || exit 2
  find . -name '*.h' -o -name '*.cpp' | sort | while IFS= read -r file; do
    file=${file#./}
    layer=${file%%/*}
    [ "$layer" = "$file" ] && layer=.  # a file of src/app itself
    if ! layers=$(allowed "$layer"); then
      echo "src/app/$file: '$layer' is not a layer; give it its place in check_app_layers.sh"
      continue
    fi
    grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
      while IFS= read -r line; do
        target=$(echo "$line" | sed -E 's/[^"]*"([^"]*)".*/\1/')
        case $target in
          core/*) continue ;;
          app/*/*) ;;
          *) echo "src/app/$file:${line%%:*}: \"$target\" names no area of the app or core" && continue ;;
        esac
        to=${target#app/}
        to=${to%%/*}
        case " $layers " in
          *" $to "*) ;;
          *) echo "src/app/$file:${line%%:*}: $layer must not include $target" ;;
        esac
      done
  done
  # The classes and structs each module layer defines, named in another.
  for layer in $module_layers; do
    [ -d "$layer" ] || continue
    names=$(cat "$layer"/*.h 2>/dev/null |
      sed -nE 's/^(class|struct)[[:space:]]+([A-Za-z_][A-Za-z0-9_]*)([[:space:]]+final)?[[:space:]]*[:{].*/\2/p' |
      sort -u)
    [ -n "$names" ] || continue
    pattern=$(echo "$names" | paste -sd'|' -)
    for other in $module_layers; do
      [ "$other" != "$layer" ] && [ -d "$other" ] || continue
      find "$other" -name '*.h' -o -name '*.cpp' | sort | while IFS= read -r file; do
        # Comments may speak of another module; code may not name it.
        sed -E 's://.*$::' "$file" | grep -nwE "$pattern" | while IFS= read -r hit; do
          name=$(echo "${hit#*:}" | grep -owE "$pattern" | head -n 1)
          echo "src/app/$file:${hit%%:*}: the module layer $other names $name of the module layer $layer"
        done
      done
    done
  done
)
if [ -n "$violations" ]; then
  echo "The app's layers include only downwards (see tests/check_app_layers.sh):" >&2
  echo "$violations" >&2
  exit 1
fi
exit 0
