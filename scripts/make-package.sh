#!/bin/sh
# Installs what is missing, builds the default preset and the Debian package
# of it, and prints the package's path (build/zeph-sms_<version>_amd64.deb).
# Install it with: sudo apt-get install ./build/zeph-sms_<version>_amd64.deb
set -eu
cd "$(dirname "$0")/.."
ZEPH_WITH_PACKAGE=1 scripts/install-deps.sh
scripts/build.sh default
log=build/last-package.log
rm -f build/zeph-sms_*.deb
(cd build && cpack -G DEB) >"$log" 2>&1 || { cat "$log"; exit 1; }
# CPack names the file on its last line: "CPack: - package: PATH generated."
deb=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$log")
[ -f "$deb" ] || { cat "$log"; echo "make-package: CPack made no package" >&2; exit 1; }
echo "$deb"
