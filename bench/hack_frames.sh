#!/usr/bin/env bash
# The Linux hack against the Windows renderer, on the same machine and the
# same software OpenGL (llvmpipe), both over a desktop-sized floor picture:
# frames per second and CPU use (per cent of one core) over SECONDS, at
# 1024x768 and at 1920x1080, paced (one frame per display refresh, as they
# run for users) and unpaced (frames back to back: the cost of a frame).
#
# The hack runs in a private Xvfb's root window; its floor comes from a
# stand-in for XScreenSaver's grabber that paints a desktop picture of the
# screen's size, and its buffer swaps are counted by a small preloaded
# library. The renderer runs under Wine with the resolution kept, over the
# 1920x1080 hand-off pictures of bench/hand_off_pictures.sh; its swaps are read from Wine's
# trace, and its CPU is that of its own process (the wineserver's is shown
# beside it).
#
#   bench/hack_frames.sh [SECONDS] [RUNS]    defaults: 20 s, 3 runs
#
# Bolts come at random, big and near or small and far, so a run of a few
# seconds says little: each measure is taken RUNS times and the median of
# the frame rates and of the CPU shares is reported after the runs.
#
# ONLY=hack or ONLY=renderer measures one of them, SIZES="1920x1080" one
# size. HACK and RENDERER name other builds of the two programs (say, of an
# earlier commit) to measure them the same way; a build that refuses the
# unpaced option ("--delay 0") is reported as such.
# Needs the linux and win64 builds.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)
seconds=${1:-20}
runs=${2:-3}
hack=${HACK:-$root/build/linux/renderer/velmoran}
renderer=${RENDERER:-$root/build/win64/bin/Velmoran.dll}
[ -x "$hack" ] && [ -f "$renderer" ] || { echo "build the linux and win64 presets first" >&2; exit 2; }
work=$(mktemp -d /tmp/velmoran-hack-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Buffer swaps counted by bench/swap_counter.c, preloaded.
gcc -shared -fPIC -O2 -o "$work/swaps.so" bench/swap_counter.c -ldl || exit 2

# A stand-in for xscreensaver-getimage WINDOW PIXMAP: paints a desktop-like
# picture (bands of colour with a gradient) into the pixmap and reports it
# as the daemon's saved desktop, as the real grabber does under the daemon.
mkdir -p "$work/grabber"
cat >"$work/grabber.c" <<'C'
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
int main(int argc, char **argv) {
    Display *d = XOpenDisplay(NULL);
    if (!d || argc < 3) return 1;
    Window w = strtoul(argv[argc - 2], NULL, 0);
    Pixmap p = strtoul(argv[argc - 1], NULL, 0);
    XWindowAttributes a;
    XGetWindowAttributes(d, w, &a);
    XImage *i = XCreateImage(d, a.visual, a.depth, ZPixmap, 0, NULL, a.width, a.height, 32, 0);
    i->data = malloc((size_t)i->bytes_per_line * a.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            XPutPixel(i, x, y, ((x * 255 / a.width) << 16) | (((y / 40) * 53 % 256) << 8) | ((x ^ y) & 255));
    GC gc = XCreateGC(d, p, 0, NULL);
    XPutImage(d, p, gc, i, 0, 0, 0, 0, a.width, a.height);
    const char *name = "desktop";
    XChangeProperty(d, w, XInternAtom(d, "_SCREENSAVER_IMAGE_FILENAME", False), XA_STRING, 8,
                    PropModeReplace, (const unsigned char *)name, strlen(name));
    XChangeProperty(d, w, XInternAtom(d, "_SCREENSAVER_SCREENSHOT", False), XA_PIXMAP, 32,
                    PropModeReplace, (const unsigned char *)&p, 1);
    XSync(d, False);
    fprintf(stderr, "xscreensaver-getimage: grabbing desktop image\n");
    fprintf(stderr, "xscreensaver-getimage: loaded screenshot 0x%lx from saved 0x%lx\n", p, w);
    return 0;
}
C
gcc -O2 -o "$work/grabber/xscreensaver-getimage" "$work/grabber.c" -lX11 || exit 2

# cpu PID: the process's user and system time so far, in clock ticks.
cpu() {
    if [ -n "${1:-}" ] && [ -r "/proc/$1/stat" ]; then
        awk '{ print $14 + $15 }' "/proc/$1/stat"
    else
        echo 0
    fi
}
ticks=$(getconf CLK_TCK)

# report WHAT FRAMES SECONDS_OF_FRAMES CPU_TICKS [EXTRA]: one run's line,
# kept for the medians.
report() {
    awk -v what="$1" -v n="$2" -v s="$3" -v c="$4" -v t="$ticks" -v cs="$seconds" -v extra="${5:-}" \
        'BEGIN { printf "%s: %.1f frames/s, CPU %.0f %% of a core%s\n", what, n / s, 100 * c / t / cs, extra }' |
        tee -a "$work/results"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The medians of every measure that has runs.
summary() {
    echo "== medians of $runs runs of $seconds s"
    cut -d: -f1 "$work/results" | awk '!seen[$0]++' | while read -r what; do
        local lines
        lines=$(grep -F "$what: " "$work/results")
        printf '%s: %s frames/s, CPU %s %% of a core\n' "$what" \
            "$(sed 's/.*: \([0-9.]*\) frames.*/\1/' <<<"$lines" | median)" \
            "$(sed 's/.*CPU \([0-9]*\) %.*/\1/' <<<"$lines" | median)"
    done
}

hack_run() {
    local size=$1 mode=$2 arguments=(--root) display
    [ "$mode" = unpaced ] && arguments+=(--delay 0)
    Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp 5>"$work/display" >/dev/null 2>&1 &
    local xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    display=":$(head -n1 "$work/display")"
    rm -f "$work/swaps"
    DISPLAY=$display PATH="$work/grabber:$PATH" LD_PRELOAD=$work/swaps.so SWAP_COUNT_FILE=$work/swaps \
        "$hack" "${arguments[@]}" 2>"$work/hack.err" &
    local pid=$!
    sleep 2
    if ! kill -0 $pid 2>/dev/null; then
        echo "hack $size $mode: not offered ($(head -n1 "$work/hack.err"))"
        kill $xvfb; wait $xvfb 2>/dev/null
        return
    fi
    local before after start elapsed
    kill -USR1 $pid
    before=$(cpu $pid)
    start=$(date +%s%N)
    sleep "$seconds"
    kill -USR1 $pid
    after=$(cpu $pid)
    elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
    kill -TERM $pid
    wait $pid
    kill $xvfb
    wait $xvfb 2>/dev/null
    local frames
    frames=$(awk 'NR == 1 { a = $1 } NR == 2 { print $1 - a }' "$work/swaps")
    report "hack $size $mode" "$frames" "$(awk -v m="$elapsed" 'BEGIN { print m / 1000 }')" \
        "$((after - before))"
}

renderer_run() {
    local size=$1 mode=$2 session=$work/session-$1 arguments=/keep-resolution
    [ "$mode" = unpaced ] && arguments+=" /unpaced"
    VELMORAN_SCREEN=${size}x24 cmake/wine-session.sh start "$session" >/dev/null || exit 2
    # shellcheck disable=SC1091
    . "$session/env"
    # shellcheck source=bench/hand_off_pictures.sh
    . bench/hand_off_pictures.sh
    write_hand_off_pictures 1920x1080
    # shellcheck disable=SC2086
    WINEDEBUG=+timestamp,+wgl "$VELMORAN_WINE" "$renderer" $arguments 2>"$work/trace" &
    local pid=$!
    # Measured from a second after its first frame (a new Wine session may
    # take several seconds to show it); the stamps are those of swap lines,
    # never of a line Wine is still writing.
    local wine_pid server_pid before after server_before server_after start_stamp end_stamp
    for _ in $(seq 120); do
        grep -qa 'wglSwapBuffers' "$work/trace" && break
        kill -0 $pid 2>/dev/null || break
        sleep 0.25
    done
    sleep 1
    wine_pid=$(pgrep -f 'Velmoran.dll' | head -n 1)
    server_pid=$(pgrep -f "^$(dirname "$VELMORAN_WINE")/wineserver" | head -n 1)
    start_stamp=$(grep -a 'wglSwapBuffers' "$work/trace" | tail -n 1 | cut -d: -f1)
    before=$(cpu "$wine_pid")
    server_before=$(cpu "$server_pid")
    sleep "$seconds"
    after=$(cpu "$wine_pid")
    server_after=$(cpu "$server_pid")
    end_stamp=$(grep 'wglSwapBuffers' "$work/trace" | tail -n 1 | cut -d: -f1)
    for _ in $(seq 40); do kill -0 $pid 2>/dev/null || break; xdotool key Escape; sleep 0.25; done
    wait $pid
    local status=$?
    cmake/wine-session.sh stop "$session"
    # Swaps between the two stamps of Wine's trace clock (seconds).
    local count span
    count=$(grep 'wglSwapBuffers' "$work/trace" | cut -d: -f1 |
        awk -v a="$start_stamp" -v b="$end_stamp" '$1 > a && $1 <= b' | wc -l)
    span=$(awk -v a="$start_stamp" -v b="$end_stamp" 'BEGIN { print b - a }')
    if [ -z "$start_stamp" ] || [ -z "$end_stamp" ] || [ "$count" -lt 2 ]; then
        echo "renderer under Wine $size $mode: could not be measured" \
            "($(grep -ac 'wglSwapBuffers' "$work/trace") frames in the trace, exit code $status)"
        return
    fi
    report "renderer under Wine $size $mode" "$count" "$span" "$((after - before))" \
        "$(awk -v c="$((server_after - server_before))" -v t="$ticks" -v s="$seconds" \
            'BEGIN { printf " (wineserver %.0f %%)", 100 * c / t / s }')"
}

touch "$work/results"
for _ in $(seq "$runs"); do
    for size in ${SIZES:-1024x768 1920x1080}; do
        for mode in paced unpaced; do
            [ "${ONLY:-hack}" = renderer ] || hack_run "$size" "$mode"
            [ "${ONLY:-renderer}" = hack ] || renderer_run "$size" "$mode"
        done
    done
done
summary
