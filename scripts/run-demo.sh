#!/bin/sh
# Installs what is missing, builds, and runs the program's main job.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
build/src/tools/zeph_store/zeph-store check demo/recsms.sms
build/src/tools/zeph_store/zeph-store dump demo/recsms.sms
