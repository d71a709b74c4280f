#!/bin/sh
# Renders the README's screenshots offscreen into docs/screenshots.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
build/src/app/zeph-screenshots docs/screenshots 2>/dev/null
