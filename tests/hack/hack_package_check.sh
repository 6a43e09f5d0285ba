#!/usr/bin/env bash
# The Debian package of the hack, read back with dpkg-deb: its control
# fields, the three files where XScreenSaver and desktops look for them with
# their modes, the settings description (command line, the frame-rate check,
# the desktop-image marker), and the program in it is the hack (it answers
# an unknown option as the hack does).
#
#   hack_package_check.sh DEB VERSION WORK_DIR
set -u
deb=$1 version=$2 work=$3
fail() { echo "FAIL: $*"; exit 1; }
[ -f "$deb" ] || fail "no package $deb"
[ "$(basename "$deb")" = "velmoran_${version}_amd64.deb" ] || fail "named $(basename "$deb")"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velmoran ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
field Depends | grep -q libgl1 || fail "Depends: $(field Depends)"
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort)
expected=$(printf '%s\n' \
    "-rw-r--r-- root/root ./usr/share/applications/screensavers/velmoran.desktop" \
    "-rw-r--r-- root/root ./usr/share/xscreensaver/config/velmoran.xml" \
    "-rwxr-xr-x root/root ./usr/libexec/xscreensaver/velmoran" | sort)
[ "$contents" = "$expected" ] || fail "contents: $contents"
echo "fields and files as expected"
rm -rf "$work"
mkdir -p "$work"
dpkg-deb -x "$deb" "$work/root"
xml=$work/root/usr/share/xscreensaver/config/velmoran.xml
grep -q '<command arg="--root"/>' "$xml" || fail "the settings description runs no --root"
grep -q 'arg-set="--fps"' "$xml" || fail "no frame-rate check"
grep -q '<xscreensaver-image */>' "$xml" || fail "no desktop-image marker"
grep -q '^Exec=velmoran$' "$work/root/usr/share/applications/screensavers/velmoran.desktop" ||
    fail "the .desktop file does not start velmoran"
"$work/root/usr/libexec/xscreensaver/velmoran" --speed 3 2>"$work/err"
[ $? -eq 1 ] && grep -q '^velmoran: unknown option: --speed' "$work/err" ||
    fail "the packaged program is not the hack: $(cat "$work/err")"
echo "settings description, .desktop file and program as expected"
echo PASS
