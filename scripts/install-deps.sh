#!/bin/sh
# Installs the Debian packages the build needs, only those not installed
# yet, quietly. Uses sudo when not run as root.
set -eu

packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgtest-dev libgmock-dev
libbenchmark-dev nlohmann-json3-dev libcli11-dev fonts-dejavu-core libsystemd-dev"
# qt6-base-dev also holds Qt6::DBus, through which the program shows its
# arrival notices. The modem backend's tests run a private bus with a
# ModemManager mock on it, the notices' tests a private session bus with a
# notification-service mock (python3-dbusmock runs on Debian's own
# /usr/bin/python3).
packages="$packages dbus-daemon python3-dbusmock"
# The default build makes the man pages from the programs' --help and the
# icon's PNG sizes from its SVG.
packages="$packages help2man librsvg2-bin"
# scripts/make-package.sh: CPack's DEB generator reads the programs with
# file and dpkg-shlibdeps.
if [ "${ZEPH_WITH_PACKAGE:-0}" = 1 ]; then
  packages="$packages dpkg-dev file xz-utils"
fi
# scripts/check-package.sh: the validators, and debootstrap for the clean
# Debian root it installs the package into.
if [ "${ZEPH_WITH_PACKAGE_CHECKS:-0}" = 1 ]; then
  packages="$packages lintian desktop-file-utils appstream debootstrap"
fi
# clang for the sanitizer build (ZEPH_WITH_CLANG=1) and the fuzz build,
# which also needs clang's libFuzzer runtime.
if [ "${ZEPH_WITH_CLANG:-0}" = 1 ] || [ "${ZEPH_WITH_FUZZ:-0}" = 1 ]; then
  packages="$packages clang"
fi
if [ "${ZEPH_WITH_FUZZ:-0}" = 1 ]; then
  packages="$packages libclang-rt-14-dev"
fi
# scripts/check-format.sh: the one formatter version every developer and CI
# run, so that its output does not drift between machines.
if [ "${ZEPH_WITH_FORMAT:-0}" = 1 ]; then
  packages="$packages clang-format-14"
fi

missing=""
for p in $packages; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $p" ;;
  esac
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
$sudo apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
