#!/bin/sh
# Builds the Debian package (scripts/make-package.sh) and checks it as a user
# and Debian would:
#  - it holds every program with its man page, the help, the desktop file,
#    the icons, the AppStream metainfo, the user unit and Debian's files;
#  - desktop-file-validate and appstreamcli pass, and lintian finds no error;
#  - `apt-get install ./zeph-sms_<version>_amd64.deb` works in a clean
#    Debian 12 root that debootstrap makes from this machine's Debian mirror,
#    and the installed zephsms and zeph-cardservice answer --help there.
# Needs root (debootstrap, chroot); uses sudo otherwise. Nothing is kept: the
# root lives in a temporary folder that is unmounted and removed at the end.
set -eu
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=PATH "$0" "$@"
fi

started=$(date +%s)
say() { echo "check-package ($(($(date +%s) - started)) s): $*"; }

export ZEPH_WITH_PACKAGE_CHECKS=1
scripts/install-deps.sh
deb=$(scripts/make-package.sh | tail -n 1)
deb_name=$(basename "$deb")
say "$deb_name"

work=$(mktemp -d "${TMPDIR:-/tmp}/zeph-package.XXXXXX")
root="$work/root"

# The mounts at and under the root, deepest first.
mounts_of_root() {
  awk -v r="$root" '$2 == r || index($2, r "/") == 1 { print $2 }' /proc/self/mounts | sort -r
}

# Every mount is undone before anything is deleted, and the deletion stays
# on the folder's own file system: a bind mount left behind must never take
# the machine's /dev or /proc with it.
cleanup() {
  status=$?
  if [ -d "$root" ]; then
    for _ in 1 2 3; do
      mounts=$(mounts_of_root)
      [ -z "$mounts" ] && break
      for m in $mounts; do umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true; done
    done
    if [ -n "$(mounts_of_root)" ]; then
      echo "check-package: still mounted under $root; left in place" >&2
      exit 1
    fi
  fi
  rm -rf --one-file-system "$work"
  say "removed"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
  echo "check-package: $*" >&2
  exit 1
}

# What the package holds. Every program has a man page, so a program added
# later is held to it without a change here.
contents="$work/contents"
dpkg-deb -x "$deb" "$contents"
for program in zephsms zephui zeph-cardservice zeph-cardctl zeph-store; do
  [ -x "$contents/usr/bin/$program" ] || fail "no /usr/bin/$program"
done
for program in "$contents"/usr/bin/*; do
  name=$(basename "$program")
  [ -f "$contents/usr/share/man/man1/$name.1.gz" ] || fail "no man page for $name"
done
for file in \
  usr/share/applications/zephsms.desktop \
  usr/share/icons/hicolor/scalable/apps/zephsms.svg \
  usr/share/icons/hicolor/48x48/apps/zephsms.png \
  usr/share/icons/hicolor/256x256/apps/zephsms.png \
  usr/share/zephsms/help/contents.html \
  usr/lib/systemd/user/zeph-cardservice.service \
  usr/share/doc/zeph-sms/copyright \
  usr/share/doc/zeph-sms/changelog.gz; do
  [ -f "$contents/$file" ] || fail "no /$file"
done
grep -qx 'ExecStart=/usr/bin/zeph-cardservice --modem' \
  "$contents/usr/lib/systemd/user/zeph-cardservice.service" ||
  fail "the user unit does not start /usr/bin/zeph-cardservice"
metainfo=$(ls "$contents"/usr/share/metainfo/*.metainfo.xml 2>/dev/null) || fail "no AppStream metainfo"

desktop-file-validate "$contents/usr/share/applications/zephsms.desktop" || fail "desktop-file-validate failed"
# The metainfo with the desktop file and icons beside it. --no-net: the
# screenshots' address is a placeholder until the project publishes them.
appstreamcli validate --no-net --explain "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli validate failed"; }
appstreamcli validate-tree --no-net "$contents" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "appstreamcli validate-tree failed"; }
say "desktop file and AppStream metainfo valid"

# lintian prints its warnings and information; only errors fail.
lintian --fail-on error --display-info "$deb" || fail "lintian found errors"
say "lintian found no error"

# A clean Debian 12 root from this machine's own Debian mirror (the suites of
# bookworm that apt is configured with, main only).
sources=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
  'Identifier: Packages' | awk '$2 ~ /^bookworm(-updates|-security)?$/ && $3 == "main"' | sort -u)
mirror=$(echo "$sources" | awk '$2 == "bookworm" { print $1; exit }')
[ -n "$mirror" ] || fail "apt has no Debian bookworm mirror configured"
# In memory when there is room (the root grows to about 1 GB): writing it
# to disk and deleting it again costs minutes on a slow disk.
mkdir "$root"
available_kb=$(awk '$1 == "MemAvailable:" { print $2 }' /proc/meminfo)
if [ "${available_kb:-0}" -ge 3000000 ]; then
  mount -t tmpfs -o size=2g,mode=755 zeph-package-root "$root"
  place="memory"
else
  place="disk"
fi
say "debootstrap bookworm from $mirror (in $place)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -n 30 "$work/debootstrap.log"; fail "debootstrap failed"; }
say "debootstrap done"
echo "$sources" | awk '{ print "deb " $1 " " $2 " main" }' >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# No service starts inside the root, and dpkg does not wait for each file
# to reach the disk of a root that is thrown away.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/zeph-unsafe-io"
mount -t proc proc "$root/proc"
# Where debootstrap could not make device files (some containers), the
# installation scripts still need /dev/null.
[ -c "$root/dev/null" ] || mount --bind /dev "$root/dev"
cp "$deb" "$root/tmp/$deb_name"
chmod 644 "$root/tmp/$deb_name"

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
in_root apt-get update -qq >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get update failed"; }
say "apt-get update done"
# As the README tells users to install it: apt-get install ./FILE.
in_root sh -c 'cd /tmp && apt-get install -y -qq "./$1"' sh "$deb_name" >"$work/apt.log" 2>&1 ||
  { tail -n 30 "$work/apt.log"; fail "apt-get install ./$deb_name failed"; }
say "installed, with $(in_root dpkg-query -W | wc -l) packages in the root"

for program in zephsms zephui zeph-cardservice; do
  in_root "/usr/bin/$program" --help >"$work/help.txt" 2>&1 ||
    { cat "$work/help.txt"; fail "/usr/bin/$program --help failed in the clean root"; }
  grep -q '^Usage: ' "$work/help.txt" || { cat "$work/help.txt"; fail "$program --help printed no usage"; }
done
say "zephsms, zephui and zeph-cardservice --help run in the clean root ($(du -sxm "$root" | cut -f1) MB)"
