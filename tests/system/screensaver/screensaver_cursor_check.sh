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
# shellcheck source=tests/system/screensaver/run_helpers.sh
. "$(dirname "$0")/run_helpers.sh"
command -v xdotool >/dev/null || fail "xdotool is not installed"
rm -rf "$work"
mkdir -p "$work"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# The process id (hex, as Wine prints it) that loaded a program file.
pid_of() { grep -a -m1 "trace:loaddll:.*Loaded L\".*\\\\$1\"" "$2" | cut -d: -f1; }

# run NAME ARGS: one run with the trace on, ended with Esc in the renderer.
run() {
    local name=$1 trace=$work/$1.trace window
    shift
    WINEDEBUG=+pid,+loaddll,+cursor "$VELMORAN_WINE" "$programs/Velmoran.scr" "$@" 2>"$trace" &
    local scr=$!
    window=$(renderer_window) || { kill $scr; fail "$name: no renderer window"; }
    sleep 0.5
    press_escape "$window"
    wait_for_end $scr "$name"
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
