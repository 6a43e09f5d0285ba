#!/usr/bin/env bash
# The Debian package of the hack, read back with dpkg-deb: its control
# fields (Depends versioned, as dpkg-shlibdeps derives it), its files where
# XScreenSaver, desktops and Debian look for them with their modes, the
# settings description (command line, the frame-rate slider and check, the
# image marker), the .desktop entry (the program's whole path with --root),
# lintian finds no error, and the program in it is the hack (it answers an
# unknown option as the hack does).
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
for needed in 'libc6 (>= 2.34)' 'libstdc++6 (>= ' 'libgcc-s1 (>= ' libgl1 libx11-6 'libxrandr2 (>= '; do
    field Depends | grep -qF "$needed" || fail "Depends has no $needed: $(field Depends)"
done
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort)
expected=$(printf '%s\n' \
    "-rw-r--r-- root/root ./usr/share/applications/screensavers/velmoran.desktop" \
    "-rw-r--r-- root/root ./usr/share/xscreensaver/config/velmoran.xml" \
    "-rw-r--r-- root/root ./usr/share/doc/velmoran/copyright" \
    "-rw-r--r-- root/root ./usr/share/doc/velmoran/changelog.gz" \
    "-rwxr-xr-x root/root ./usr/libexec/xscreensaver/velmoran" | sort)
[ "$contents" = "$expected" ] || fail "contents: $contents"
echo "fields and files as expected"
rm -rf "$work"
mkdir -p "$work"
dpkg-deb -x "$deb" "$work/root"
xml=$work/root/usr/share/xscreensaver/config/velmoran.xml
grep -q '<command arg="--root"/>' "$xml" || fail "the settings description runs no --root"
grep -q 'arg-set="--fps"' "$xml" || fail "no frame-rate check"
grep -q 'arg="--delay %"' "$xml" || fail "no frame-rate slider"
grep -q '<xscreensaver-image */>' "$xml" || fail "no image marker"
desktop=$work/root/usr/share/applications/screensavers/velmoran.desktop
grep -q '^Exec=/usr/libexec/xscreensaver/velmoran --root$' "$desktop" &&
    grep -q '^TryExec=/usr/libexec/xscreensaver/velmoran$' "$desktop" ||
    fail "the .desktop file does not start /usr/libexec/xscreensaver/velmoran --root"
if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || fail "lintian: $(cat "$work/lintian")"
    echo "lintian: no errors ($(grep -c '^W:' "$work/lintian") warnings)"
fi
"$work/root/usr/libexec/xscreensaver/velmoran" --speed 3 2>"$work/err"
[ $? -eq 1 ] && grep -q '^velmoran: unknown option: --speed' "$work/err" ||
    fail "the packaged program is not the hack: $(cat "$work/err")"
echo "settings description, .desktop file and program as expected"
echo PASS
