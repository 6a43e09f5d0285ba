#!/usr/bin/env bash
# Times the start and the end of screensaver runs under Wine, on a
# 1024x768 screen and on a 1920x1080 one, each in a Wine session of its own
# with a warm wineserver, and prints the medians:
#   - the start of a trivial Windows program (bench/trivial_program.cpp), as
#     the platform's own cost: started from inside Wine (CreateProcess to its
#     exit) and from the shell (wine64 to its exit);
#   - from starting "Velmoran.scr /s" to the renderer's first frame on the
#     screen (bench/run_driver.cpp watches the screen);
#   - the same start-up split into its parts, read from Wine's timestamped
#     trace of a second set of runs (the programs are not changed):
#       screensaver start   CreateProcess of Velmoran.scr to Main's hand-off folder
#       run window, capture the renderer-file test to the creation of Velmoran0.bmp
#       three saves         Velmoran0.bmp created to the renderer's launch
#       process start       the launch to the renderer's first own call (LoadIconA)
#       renderer init       to its first read of a hand-off image (display mode,
#                           window, pixel format, GL context)
#       textures, 1st frame to its first buffer swap
#   - from Esc in the renderer to the renderer's and Velmoran.scr's exit.
# The 1920x1080 runs happen inside a Wine desktop window of that size, the
# only way to let the renderer switch to 1024x768 on a virtual X screen; a
# third set keeps the resolution (the settings file asks for it) on a plain
# 1920x1080 screen, where the renderer draws at that size.
#
#   bench/startup_timing.sh [RUNS]      RUNS per screen, 5 by default
# With VELMORAN_BENCH_PROGRAMS set to a folder, the Velmoran.scr and
# Velmoran.dll found there are timed instead of the ones built here (an
# earlier version's, say, for a before-and-after on one machine).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)
runs=${1:-5}

cmake --preset win64 >/dev/null &&
    cmake --build --preset win64 -j2 --target screensaver renderer velmoran_run_driver \
        trivial_program >/dev/null || { echo "build failed" >&2; exit 2; }
bin=$root/build/win64/bin
work=${VELMORAN_BENCH_WORK:-$root/build/bench-startup}
rm -rf "$work"
mkdir -p "$work/programs"
# The programs alone in a folder of their own: no settings file, no music.
programs=${VELMORAN_BENCH_PROGRAMS:-$bin}
cp "$programs/Velmoran.scr" "$programs/Velmoran.dll" "$work/programs/" || exit 2

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
driver=$(windows_path "$bin/velmoran_run_driver.exe")
trivial=$(windows_path "$bin/trivial_program.exe")
scr=$(windows_path "$work/programs/Velmoran.scr")

sessions=()
cleanup() {
    local s
    for s in "${sessions[@]}"; do cmake/wine-session.sh stop "$s"; done
}
trap cleanup EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# values KEY FILE: every value of "KEY=value" lines, except "none".
values() { grep -a "^$1=" "$2" | cut -d= -f2 | grep -v none; }

# drive SESSION DESKTOP OUT [DRIVER OPTIONS]: runs the driver in the session,
# inside a Wine desktop window of size DESKTOP unless it is "-".
drive() {
    local session=$1 desktop=$2 out=$3 i
    shift 3
    # shellcheck disable=SC1091
    (. "$session/env" && export WINEDEBUG="${TRACE:--all}" &&
        if [ "$desktop" = - ]; then
            exec "$VELMORAN_WINE" "$driver" --out "$(windows_path "$out")" "$@" "$scr"
        else
            exec "$VELMORAN_WINE" explorer.exe "/desktop=bench,$desktop" "$driver" \
                --out "$(windows_path "$out")" "$@" "$scr"
        fi) >/dev/null 2>"${TRACE_FILE:-/dev/null}" &
    local pid=$!
    # NOTE: Wine's desktop process lingers for seconds after its program has
    # ended; once the driver's output is complete it is ended.
    for i in $(seq 1200); do
        grep -q '^done=' "$out" 2>/dev/null && break
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
    done
    if [ "$desktop" != - ] && kill -0 $pid 2>/dev/null; then
        sleep 0.5
        kill $pid 2>/dev/null
    fi
    wait $pid 2>/dev/null
}

# split TRACE: per run, the trace's parts of the start-up (ms), one line each:
# screensaver capture saves process init textures total
split() {
    awk -F: '
        function ms(a, b) { return (b - a) * 1000 }
        function flush() {
            if (run && t0 && main && test && save0 && launch && rmain && rimage && swap)
                printf "%.0f %.0f %.0f %.0f %.0f %.0f %.0f\n", ms(t0, main), ms(test, save0),
                    ms(save0, launch), ms(launch, rmain), ms(rmain, rimage), ms(rimage, swap), ms(t0, swap)
            t0 = main = test = save0 = launch = rmain = rimage = swap = 0
        }
        {
            t = $1; pid = $2
            if ($0 ~ /trace:process:NtCreateUserProcess .*Velmoran\.scr" pid /) {
                flush(); run++
                match($0, /pid [0-9a-f]+/); scr = substr($0, RSTART + 4, RLENGTH - 4); t0 = t; next
            }
            if (pid == scr) {
                if (!main && $0 ~ /trace:file:CreateDirectoryW L".*(q_velk|\\\\Velmoran)"/) main = t
                else if (main && !test && $0 ~ /trace:file:CreateFileW L".*\\\\Velmoran\.dll" GENERIC_READ/) test = t
                else if (!save0 && $0 ~ /trace:file:CreateFileW L".*\\\\Velmoran0\.bmp" GENERIC_WRITE/) save0 = t
                else if (!launch && $0 ~ /trace:process:CreateProcessInternalW app L".*Velmoran\.dll"/) launch = t
                else if ($0 ~ /trace:process:NtCreateUserProcess .*Velmoran\.dll" pid /) {
                    match($0, /pid [0-9a-f]+/); renderer = substr($0, RSTART + 4, RLENGTH - 4)
                }
            } else if (pid == renderer) {
                if (!rmain && $0 ~ /trace:cursor:LoadIconA/) rmain = t
                else if (!rimage && $0 ~ /trace:file:CreateFileW L".*\\\\Velmoran[0-9]\.bmp"/) rimage = t
                else if (!swap && $0 ~ /wglSwapBuffers/) swap = t
            }
        }
        END { flush() }' "$1"
}

# measure NAME SCREEN DESKTOP [keep]: with keep, the settings file beside
# the programs asks to keep the screen's resolution.
measure() {
    local name=$1 screen=$2 desktop=$3 keep=${4:-} session=$work/session-$1
    sessions+=("$session")
    rm -f "$work/programs/Velmoran.ini"
    if [ -n "$keep" ]; then
        printf '[Section]\r\n%s=1\r\n' "$(printf '解像度維持' | iconv -f UTF-8 -t SHIFT_JIS)" \
            >"$work/programs/Velmoran.ini"
    fi
    VELMORAN_SCREEN=$screen cmake/wine-session.sh start "$session" >/dev/null || exit 2
    # A first run starts Wine's desktop and services; it is not counted.
    drive "$session" "$desktop" "$work/$name-warmup.txt" --runs 1
    drive "$session" "$desktop" "$work/$name-plain.txt" --runs "$runs" --trivial "$trivial"
    TRACE=+timestamp,+pid,+loaddll,+process,+file,+cursor,+wgl TRACE_FILE=$work/$name.trace \
        drive "$session" "$desktop" "$work/$name-traced.txt" --runs "$runs"
    local shell_starts=() i s e
    for i in $(seq "$runs"); do
        s=$(date +%s%N)
        (. "$session/env" && "$VELMORAN_WINE" "$bin/trivial_program.exe")
        e=$(date +%s%N)
        shell_starts+=("$(( (e - s) / 1000000 ))")
    done
    split "$work/$name.trace" >"$work/$name.split"

    local plain=$work/$name-plain.txt col
    local trivial_in trivial_shell first target
    trivial_in=$(values trivial_start "$plain" | median)
    trivial_shell=$(printf '%s\n' "${shell_starts[@]}" | median)
    first=$(values first_frame "$plain" | median)
    target=$(awk -v t="$trivial_in" 'BEGIN { printf "%.0f", 3 * 2 * t }')
    echo
    echo "== $name ($screen$([ "$desktop" != - ] && echo ", inside a Wine desktop of $desktop")): medians of $runs runs, ms"
    printf '  %-56s %8s\n' "trivial program start, CreateProcess to exit" "$trivial_in" \
        "trivial program start, wine64 from the shell to exit" "$trivial_shell" \
        "target: 3 x two trivial starts (inside Wine)" "$target" \
        "Velmoran.scr /s to the renderer's window" "$(values renderer_window "$plain" | median)" \
        "Velmoran.scr /s to the renderer's first frame" "$first"
    echo "  traced runs (Wine's trace slows them a little):"
    local labels=("screensaver start, to Main" "run window and screen capture" "the three saves"
        "renderer process start" "renderer initialisation" "texture building and first frame"
        "total, to the first buffer swap")
    for col in 1 2 3 4 5 6 7; do
        printf '    %-54s %8s\n' "${labels[$((col - 1))]}" "$(awk -v c=$col '{ print $c }' "$work/$name.split" | median)"
    done
    printf '  %-56s %8s\n' "Esc to the renderer's exit" "$(values esc_to_renderer_exit "$plain" | median)" \
        "Esc to Velmoran.scr's exit" "$(values esc_to_screensaver_exit "$plain" | median)"
    local codes
    codes=$(grep -a -h '_exit_code=' "$plain" "$work/$name-traced.txt" | sort | uniq -c | tr -s ' ' | paste -sd ',')
    echo "  exit codes seen:$codes"
}

measure screen-1024x768 1024x768x24 -
measure screen-1920x1080 1920x1080x24 1920x1080
measure screen-1920x1080-kept 1920x1080x24 - keep
echo
echo "raw results: $work"
