#!/bin/sh
# Installs and builds what is missing, then starts the desktop program.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: zephsms runs offscreen. End it with: build/src/app/zephsms stop"
  export QT_QPA_PLATFORM=offscreen
fi
exec build/src/app/zephsms
