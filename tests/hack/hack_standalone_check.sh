#!/usr/bin/env bash
# The Linux hack started alone on a private Xvfb, as a user would try it,
# with options copied from another hack's command line: its own window
# shows a black sky with bolts over a grey floor (no daemon, so no desktop
# picture) and, with --fps, the frame rate; Esc ends it with code 0, and so
# does SIGTERM (the daemon's way) in the root window; --help prints the
# usage and ends with 0. Bad input: no display, a window that does not
# exist, an unknown option, a geometry that is no geometry each give one
# line on standard error and code 1.
#
#   hack_standalone_check.sh PROGRAM WORK_DIR
set -u
program=$1 work=$2
fail() { echo "FAIL: $*"; exit 1; }
for tool in Xvfb xdotool import convert; do
    command -v $tool >/dev/null || fail "$tool is not installed"
done
rm -rf "$work"
mkdir -p "$work"

# Bad input first: no display at all.
DISPLAY=:9999 "$program" >"$work/out" 2>"$work/err"
status=$?
[ $status -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] ||
    fail "no display: exit $status, said: $(cat "$work/err")"

Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"

for bad in "--window-id 0x7fffff0" "--window-id twelve" "--speed 3" "-geometry 640"; do
    # shellcheck disable=SC2086
    "$program" $bad >"$work/out" 2>"$work/err"
    status=$?
    [ $status -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] ||
        fail "$bad: exit $status, said: $(cat "$work/err")"
    echo "$bad: exit 1, $(cat "$work/err")"
done

"$program" --help >"$work/out" 2>"$work/err"
status=$?
[ $status -eq 0 ] && grep -q -- '-delay' "$work/out" && [ ! -s "$work/err" ] ||
    fail "--help: exit $status, printed: $(cat "$work/out" "$work/err")"
echo "--help: the usage, exit 0"

# Alone: its own window; frames with a black sky, a bolt within seconds.
"$program" -window -install -visual default -mono --fps -delay 20000 2>"$work/err" &
hack=$!
window=''
for _ in $(seq 100); do
    window=$(xdotool search --name '^velmoran$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { kill $hack; fail "no window of its own"; }
bolt=0
for i in $(seq 40); do
    import -window root "$work/alone.png" 2>/dev/null
    # Bright pixels in the sky (the upper third, below the frame rate).
    bright=$(convert "$work/alone.png" -crop 1024x200+0+60 +repage -threshold 78% \
        -format '%[fx:round(mean*w*h)]' info:)
    corner=$(convert "$work/alone.png" -crop 40x40+980+0 +repage -format '%[fx:round(255*maxima)]' info:)
    floor=$(convert "$work/alone.png" -crop 1024x100+0+660 +repage -colorspace gray \
        -format '%[fx:round(255*mean)]' info:)
    if [ "$bright" -gt 150 ] && [ "$corner" -lt 8 ] && [ "$floor" -gt 20 ]; then bolt=1; break; fi
    sleep 0.1
done
cp "$work/alone.png" "$work/alone-last.png"
[ $bolt -eq 1 ] || { kill $hack; fail "no frame with a bolt in a black sky over a floor (bright $bright, corner $corner, floor $floor)"; }
fps=$(convert "$work/alone.png" -crop 120x24+0+0 +repage -threshold 50% -format '%[fx:round(mean*w*h)]' info:)
[ "$fps" -gt 20 ] || { kill $hack; fail "no frame rate in the top-left corner"; }
echo "alone: a bolt in a black sky over the floor, the frame rate shown"
xdotool key --window "$window" Escape
for _ in $(seq 50); do kill -0 $hack 2>/dev/null || break; sleep 0.1; done
kill -0 $hack 2>/dev/null && { kill -9 $hack; fail "Esc did not end it"; }
wait $hack
status=$?
[ $status -eq 0 ] || fail "Esc: exit $status"
echo "alone: Esc ends it with 0"

# In the root window, ended as the daemon ends a hack.
"$program" --root 2>"$work/err" &
hack=$!
sleep 2
kill -TERM $hack
for _ in $(seq 100); do kill -0 $hack 2>/dev/null || break; sleep 0.1; done
kill -0 $hack 2>/dev/null && { kill -9 $hack; fail "SIGTERM did not end it"; }
wait $hack
status=$?
[ $status -eq 0 ] || fail "SIGTERM: exit $status ($(cat "$work/err"))"
echo "root: SIGTERM ends it with 0"
echo PASS
