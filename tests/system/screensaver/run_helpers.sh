# Shell helpers for the checks that drive whole runs from outside Wine, on
# the test session's X display. Source it; it defines:
#   renderer_window              waits (30 s at most) for the renderer's X window and prints it
#   press_escape WINDOW          Esc from the keyboard into that window
#   wait_for_end PID NAME        waits (10 s at most) for a run's Wine process; its status

renderer_window() {
    local i window
    for i in $(seq 300); do
        window=$(xdotool search --name '^Velmoran_VC$' 2>/dev/null | head -n1)
        [ -n "$window" ] && { echo "$window"; return 0; }
        sleep 0.1
    done
    return 1
}

# NOTE: "xdotool key --window" presses through XTEST into a focused window
# but lets go with a sent event, which fails once Esc has closed the window:
# the key then stays down in the X server, and every later renderer quits at
# its start. This presses and lets go through XTEST alone.
press_escape() {
    xdotool windowfocus "$1" 2>/dev/null
    xdotool key Escape
    xdotool keyup Escape
}

wait_for_end() {
    local pid=$1 name=$2 i
    for i in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        echo "$name: Velmoran.scr did not end after Esc"
        return 99
    fi
    wait "$pid"
}
