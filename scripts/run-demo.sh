#!/bin/sh
# Installs and builds what is missing, starts the card-service emulator with
# its demo card when no card service is listening, then starts zephsms.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

service=""
if ! build/src/cardservice/zeph-cardctl show >/dev/null 2>&1; then
  echo "Starting the card-service emulator with its demo card (zeph-cardservice --demo)."
  build/src/cardservice/zeph-cardservice --demo &
  service=$!
  # The emulator started here ends with the program.
  trap 'kill "$service" 2>/dev/null || true' EXIT INT TERM
  # It serves its socket at once; wait until it answers.
  tries=0
  until build/src/cardservice/zeph-cardctl show >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || { echo "The card-service emulator did not start." >&2; exit 1; }
    sleep 0.1
  done
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: zephsms runs offscreen. End it with: build/src/app/zephsms stop"
  export QT_QPA_PLATFORM=offscreen
fi
build/src/app/zephsms
