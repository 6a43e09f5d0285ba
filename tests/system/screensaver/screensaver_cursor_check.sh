#!/usr/bin/env bash
# The mouse cursor as Velmoran.scr leaves it. The cursor's display count
# belongs to the program's own thread input, out of reach of another
# program, so this reads Wine's own trace of ShowCursor: its "cursor"
# channel prints each call with the count it leaves, prefixed with the
# process id. A run started with /s hides the cursor once at its start and
# shows it once at its end, back at 0; a run with an empty command line never
# calls ShowCursor. The renderer's own calls, in its own process, prove that
# the trace shows them.
#
#   screensaver_cursor_check.sh SESSION_DIR PROGRAM_FOLDER WORK_DIR
set -u
session=$1 programs=$2 work=$3

fail() { echo "FAIL: $*"; exit 1; }

# shellcheck disable=SC1091
. "$session/env" || fail "no test session in $session"
command -v xdotool >/dev/null || fail "xdotool is not installed"
rm -rf "$work"
mkdir -p "$work"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# Esc from the keyboard, into the renderer's window. NOTE: "xdotool key
# --window" presses through XTEST into a focused window but lets go with a
# sent event, which fails once Esc has closed the window: the key then stays
# down in the X server, and every later renderer quits at its start.
press_escape() {
    xdotool windowfocus "$1" 2>/dev/null
    xdotool key Escape
    xdotool keyup Escape
}

# The process id (hex, as Wine prints it) that loaded a program file.
pid_of() { grep -a -m1 "trace:loaddll:.*Loaded L\".*\\\\$1\"" "$2" | cut -d: -f1; }

# run NAME ARGS: one run with the trace on, ended with Esc in the renderer.
run() {
    local name=$1 trace=$work/$1.trace i window=''
    shift
    WINEDEBUG=+pid,+loaddll,+cursor "$VELMORAN_WINE" "$programs/Velmoran.scr" "$@" 2>"$trace" &
    local scr=$!
    for i in $(seq 300); do
        window=$(xdotool search --name '^Velmoran_VC$' 2>/dev/null | head -n1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { kill $scr; fail "$name: no renderer window"; }
    sleep 0.5
    press_escape "$window"
    for i in $(seq 100); do kill -0 $scr 2>/dev/null || break; sleep 0.1; done
    kill -0 $scr 2>/dev/null && { kill $scr; fail "$name: Velmoran.scr did not end after Esc"; }
    wait $scr
    local status=$?
    [ $status -eq 0 ] || fail "$name: Velmoran.scr ended with $status"
    sleep 0.3 # the renderer's last lines

    local scr_pid renderer_pid
    scr_pid=$(pid_of Velmoran.scr "$trace")
    renderer_pid=$(pid_of Velmoran.dll "$trace")
    [ -n "$scr_pid" ] && [ -n "$renderer_pid" ] || fail "$name: the trace does not show both programs"
    grep -a "^$renderer_pid:.*NtUserShowCursor 0, count=-1" "$trace" >/dev/null ||
        fail "$name: the trace shows no ShowCursor of the renderer"
    grep -a "^$scr_pid:.*NtUserShowCursor" "$trace" | sed 's/.*NtUserShowCursor /ShowCursor(/; s/,/),/' >"$work/$name.calls"
    echo "$name: Velmoran.scr's ShowCursor calls: $(paste -sd ';' "$work/$name.calls")"
}

run run-s /s
[ "$(cat "$work/run-s.calls")" = "$(printf 'ShowCursor(0), count=-1\nShowCursor(1), count=0')" ] ||
    fail "/s: the cursor must be hidden once and shown once, back at 0"

run run-empty
[ -s "$work/run-empty.calls" ] && fail "empty command line: the cursor must be left alone"
echo "PASS"
