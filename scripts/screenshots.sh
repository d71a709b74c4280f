#!/bin/sh
# Renders the README's screenshots offscreen into docs/screenshots; the card
# settings' pages against a private card-service emulator with its demo card.
# The frame and the message editor again on a 2x screen and with an 18-point
# font.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
service_dir=$(mktemp -d)
build/src/cardservice/zeph-cardservice --demo --socket-dir "$service_dir" \
  --state "$service_dir/state.json" 2>/dev/null &
service=$!
trap 'kill $service 2>/dev/null; wait $service 2>/dev/null; rm -rf "$service_dir"' EXIT
tries=0
while [ ! -S "$service_dir/TavikZeph.ctl" ] && [ $tries -lt 500 ]; do
  sleep 0.01
  tries=$((tries + 1))
done
shots=build/src/app/zeph-screenshots
$shots docs/screenshots "$service_dir" 2>/dev/null
QT_SCALE_FACTOR=2 $shots docs/screenshots -scale2 2>/dev/null
$shots docs/screenshots -18pt 18 2>/dev/null
