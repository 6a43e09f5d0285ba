#!/usr/bin/env bash
# The hack run by the real XScreenSaver daemon, as a Linux desktop runs it:
# on a private Xvfb with a red and blue desktop, the daemon (which launches
# no hack as root) runs as an unprivileged account with a home folder of
# this check's own and the hack alone in its list. Activated, the screen
# shows the desktop's colours as the floor under a black sky with bolts;
# deactivated, the hack's process ends. With desktop grabs turned off in the
# user's settings, the floor is plain grey.
#
#   hack_daemon_check.sh PROGRAM DESKTOP_PICTURE WORK_DIR
set -u
program=$1 picture=$2 work=$3
fail() {
    echo "FAIL: $*"
    [ -f "$work/daemon.log" ] && tail -n 20 "$work/daemon.log"
    exit 1
}
for tool in Xvfb xscreensaver xscreensaver-command setpriv convert import; do
    command -v $tool >/dev/null || fail "$tool is not installed"
done
account=nobody group=nogroup
rm -rf "$work"
mkdir -p "$work/bin" "$work/home"
cp "$program" "$work/bin/velmoran"
cat >"$work/home/.xscreensaver" <<'PREFS'
mode: one
selected: 0
timeout: 0:30:00
grabDesktopImages: True
chooseRandomImages: False
grabVideoFrames: False
fade: False
unfade: False
lock: False
splash: False
programs: velmoran --root
PREFS
chmod -R a+rX "$work"
chown -R "$account:$group" "$work/home"
for folder in "$work" "$(dirname "$work")"; do chmod a+x "$folder"; done

Xvfb -displayfd 5 -ac -screen 0 1024x768x24 -nolisten tcp 5>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
daemon='' desktop=''
cleanup() {
    [ -n "$daemon" ] && kill "$daemon" 2>/dev/null
    kill "$desktop" 2>/dev/null
    pkill -u "$account" -x velmoran 2>/dev/null
    kill $xvfb 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
display=":$(head -n1 "$work/display")"
as_account() {
    setpriv --reuid="$account" --regid="$group" --clear-groups \
        env -i HOME="$work/home" DISPLAY="$display" PATH="$work/bin:/usr/libexec/xscreensaver:/usr/bin:/bin" "$@"
}

# The desktop: red on the left half, blue on the right.
DISPLAY=$display "$picture" &
desktop=$!
sleep 0.5

as_account xscreensaver -no-splash -verbose >"$work/daemon.log" 2>&1 &
daemon=$!
for _ in $(seq 100); do as_account xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.1; done
as_account xscreensaver-command -activate >/dev/null 2>&1 || fail "the daemon does not answer"
for _ in $(seq 100); do pgrep -u "$account" -x velmoran >/dev/null && break; sleep 0.1; done
pgrep -u "$account" -x velmoran >/dev/null || fail "the daemon did not start the hack"

# The floor in the desktop's colours (red left, blue right, lit or dim), the
# sky black in its corners, a bolt in the sky within seconds.
floor=0 bolt=0
for _ in $(seq 80); do
    DISPLAY=$display import -window root "$work/active.png" 2>/dev/null
    read -r lr lb rr rb < <(convert "$work/active.png" -crop 1024x150+0+600 +repage \
        \( +clone -crop 400x150+40+0 +repage -format '%[fx:round(255*mean.r)] %[fx:round(255*mean.b)] ' -write info: +delete \) \
        -crop 400x150+584+0 +repage -format '%[fx:round(255*mean.r)] %[fx:round(255*mean.b)]\n' info:)
    corner=$(convert "$work/active.png" -crop 40x40+0+0 +repage -format '%[fx:round(255*maxima)]' info:)
    bright=$(convert "$work/active.png" -crop 1024x300+0+0 +repage -threshold 78% \
        -format '%[fx:round(mean*w*h)]' info:)
    if [ "${lr:-0}" -gt $((${lb:-0} + 8)) ] && [ "${rb:-0}" -gt $((${rr:-0} + 8)) ] && [ "${corner:-255}" -lt 8 ]; then
        floor=1
        [ "${bright:-0}" -gt 150 ] && { bolt=1; break; }
    fi
    sleep 0.1
done
[ $floor -eq 1 ] || fail "no floor in the desktop's colours (left r $lr b $lb, right r $rr b $rb, corner $corner)"
[ $bolt -eq 1 ] || fail "no bolt in the sky"
echo "active: the desktop's colours as the floor, a bolt in a black sky"

as_account xscreensaver-command -deactivate >/dev/null 2>&1
for _ in $(seq 100); do pgrep -u "$account" -x velmoran >/dev/null || break; sleep 0.1; done
pgrep -u "$account" -x velmoran >/dev/null && fail "the hack outlived the deactivation"
echo "deactivated: the hack ended"
# Desktop grabs turned off in the user's settings: the grey floor.
sed -i 's/^grabDesktopImages:.*/grabDesktopImages: False/' "$work/home/.xscreensaver"
touch -d '+2 seconds' "$work/home/.xscreensaver"
sleep 1
as_account xscreensaver-command -activate >/dev/null 2>&1
for _ in $(seq 100); do pgrep -u "$account" -x velmoran >/dev/null && break; sleep 0.1; done
grey=0
for _ in $(seq 60); do
    DISPLAY=$display import -window root "$work/grab-off.png" 2>/dev/null
    read -r r g b < <(convert "$work/grab-off.png" -crop 1024x150+0+600 +repage \
        -format '%[fx:round(255*mean.r)] %[fx:round(255*mean.g)] %[fx:round(255*mean.b)]' info:)
    if [ "${r:-0}" -gt 20 ] && [ $((r - b)) -lt 6 ] && [ $((b - r)) -lt 6 ] && [ $((r - g)) -lt 6 ] &&
        [ $((g - r)) -lt 6 ]; then
        grey=1
        break
    fi
    sleep 0.1
done
[ $grey -eq 1 ] || fail "with desktop grabs off the floor is not grey (r $r g $g b $b)"
echo "grabs off: the grey floor"
as_account xscreensaver-command -deactivate >/dev/null 2>&1
as_account xscreensaver-command -exit >/dev/null 2>&1
echo PASS
