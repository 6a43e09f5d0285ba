#!/usr/bin/env bash
# The hack run by the real XScreenSaver daemon, as a Linux desktop runs it
# (tests/hack/daemon_session.sh: a red and blue desktop, the daemon as an
# unprivileged account, the hack listed as "GL: velmoran --root").
# Activated, the screen shows the desktop's colours as the floor under a
# black sky with bolts; deactivated, the hack's process ends. With desktop
# grabs turned off in the user's settings, the floor is plain grey; with
# random images from a folder instead, the floor is that folder's picture.
# Last, a hack drawing into another program's window ends with that window.
#
#   hack_daemon_check.sh PROGRAM DESKTOP_PICTURE WORK_DIR
set -u
program=$1 picture=$2 work=$3
fail() {
    echo "FAIL: $*"
    [ -f "$work/daemon.log" ] && tail -n 20 "$work/daemon.log"
    exit 1
}
for tool in Xvfb xscreensaver xscreensaver-command setpriv convert import xdotool; do
    command -v $tool >/dev/null || fail "$tool is not installed"
done
# shellcheck source=tests/hack/daemon_session.sh
. "$(dirname "$0")/daemon_session.sh"
trap daemon_session_stop EXIT
daemon_session_start "$program" "$picture" "$work" || fail "the daemon does not answer"
display=$session_display

activate() {
    as_account xscreensaver-command -activate >/dev/null 2>&1 || fail "the daemon does not answer"
    for _ in $(seq 100); do pgrep -u "$account" -x velmoran >/dev/null && return; sleep 0.1; done
    fail "the daemon did not start the hack"
}

deactivate() {
    as_account xscreensaver-command -deactivate >/dev/null 2>&1
    for _ in $(seq 100); do pgrep -u "$account" -x velmoran >/dev/null || return; sleep 0.1; done
    fail "the hack outlived the deactivation"
}

# floor_colour NAME: the mean red, green and blue of the floor's middle band.
floor_colour() {
    DISPLAY=$display import -window root "$work/$1.png" 2>/dev/null
    convert "$work/$1.png" -crop 1024x150+0+600 +repage \
        -format '%[fx:round(255*mean.r)] %[fx:round(255*mean.g)] %[fx:round(255*mean.b)]' info:
}

activate
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
deactivate
echo "deactivated: the hack ended"

# Desktop grabs turned off in the user's settings, no image folder: the grey floor.
daemon_prefs grabDesktopImages False
sleep 1
activate
grey=0
for _ in $(seq 60); do
    read -r r g b < <(floor_colour grab-off)
    if [ "${r:-0}" -gt 20 ] && [ $((r - b)) -lt 6 ] && [ $((b - r)) -lt 6 ] && [ $((r - g)) -lt 6 ] &&
        [ $((g - r)) -lt 6 ]; then
        grey=1
        break
    fi
    sleep 0.1
done
[ $grey -eq 1 ] || fail "with desktop grabs off the floor is not grey (r $r g $g b $b)"
echo "grabs off: the grey floor"
deactivate

# Random images from the user's folder: its one picture, green, is the floor.
convert -size 1024x768 xc:'#20c040' "$session_work/images/meadow.png"
chmod a+r "$session_work/images/meadow.png"
daemon_prefs chooseRandomImages True
sleep 1
activate
green=0
for _ in $(seq 80); do
    read -r r g b < <(floor_colour images)
    if [ "${g:-0}" -gt $((${r:-0} + 15)) ] && [ "${g:-0}" -gt $((${b:-0} + 15)) ]; then
        green=1
        break
    fi
    sleep 0.1
done
[ $green -eq 1 ] || fail "the image folder's picture is not the floor (r $r g $g b $b)"
echo "image folder: its picture as the floor"
deactivate
as_account xscreensaver-command -exit >/dev/null 2>&1

# A hack in another program's window (here a hack's own window) ends with
# code 0 when that window is destroyed.
DISPLAY=$display "$program" 2>"$work/owner.err" &
owner=$!
window=''
for _ in $(seq 100); do
    window=$(DISPLAY=$display xdotool search --name '^velmoran$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { kill $owner; fail "no window to draw into"; }
DISPLAY=$display "$program" --window-id "$window" 2>"$work/guest.err" &
guest=$!
sleep 1
kill -0 $guest 2>/dev/null || fail "the hack in another window did not run: $(cat "$work/guest.err")"
kill -TERM $owner
wait $owner
for _ in $(seq 20); do kill -0 $guest 2>/dev/null || break; sleep 0.1; done
kill -0 $guest 2>/dev/null && { kill -9 $guest; fail "the hack outlived its window by 2 s"; }
wait $guest
status=$?
[ $status -eq 0 ] || fail "the hack whose window went away ended with $status: $(cat "$work/guest.err")"
echo "window destroyed: the hack in it ended with 0"
echo PASS
