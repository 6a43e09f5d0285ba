#!/usr/bin/env bash
# The Linux hack against the Windows renderer, on the same machine and the
# same software OpenGL (llvmpipe): frames per second and CPU use (per cent
# of one core) over SECONDS, at 1024x768 and at 1920x1080. The hack runs in
# a private Xvfb's root window; its buffer swaps are counted by a small
# preloaded library. The renderer runs under Wine as bench/renderer_frames.sh
# runs it (its swaps read from Wine's trace), with the resolution kept.
#
#   bench/hack_frames.sh [SECONDS]      default 5
#
# Needs the linux and win64 builds.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)
seconds=${1:-5}
hack=$root/build/linux/renderer/velmoran
renderer=$root/build/win64/bin/Velmoran.dll
[ -x "$hack" ] && [ -f "$renderer" ] || { echo "build the linux and win64 presets first" >&2; exit 2; }
work=$(mktemp -d /tmp/velmoran-hack-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Counts glXSwapBuffers and reports the count when the program ends.
cat >"$work/swaps.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
static unsigned long swaps;
static void report(void) {
    const char *path = getenv("SWAP_COUNT_FILE");
    FILE *out = path ? fopen(path, "w") : NULL;
    if (out) { fprintf(out, "%lu\n", swaps); fclose(out); }
}
void glXSwapBuffers(void *display, unsigned long drawable) {
    static void (*real)(void *, unsigned long);
    if (!real) { real = (void (*)(void *, unsigned long))dlsym(RTLD_NEXT, "glXSwapBuffers"); atexit(report); }
    ++swaps;
    real(display, drawable);
}
C
gcc -shared -fPIC -O2 -o "$work/swaps.so" "$work/swaps.c" -ldl || exit 2

# cpu PID: the process's user and system time so far, in clock ticks.
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
ticks=$(getconf CLK_TCK)

hack_run() {
    local size=$1 display
    Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp 5>"$work/display" >/dev/null 2>&1 &
    local xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    display=":$(head -n1 "$work/display")"
    DISPLAY=$display LD_PRELOAD=$work/swaps.so SWAP_COUNT_FILE=$work/swaps "$hack" --root &
    local pid=$!
    sleep 1
    local before after
    before=$(cpu $pid)
    local start_swaps_time
    start_swaps_time=$(date +%s%N)
    sleep "$seconds"
    after=$(cpu $pid)
    kill -TERM $pid
    wait $pid
    local total elapsed
    total=$(cat "$work/swaps")
    elapsed=$(( ($(date +%s%N) - start_swaps_time) / 1000000 + 1000 ))
    kill $xvfb
    wait $xvfb 2>/dev/null
    awk -v n="$total" -v ms="$elapsed" -v c="$((after - before))" -v t="$ticks" -v s="$seconds" -v size="$size" \
        'BEGIN { printf "hack %s: %.0f frames/s, CPU %.0f %% of a core\n", size, n / (ms / 1000), 100 * c / t / s }'
}

renderer_run() {
    local size=$1 session=$work/session-$1
    VELMORAN_SCREEN=${size}x24 cmake/wine-session.sh start "$session" >/dev/null || exit 2
    # shellcheck disable=SC1091
    . "$session/env"
    WINEDEBUG=+timestamp,+wgl "$VELMORAN_WINE" "$renderer" /keep-resolution 2>"$work/trace" &
    local pid=$!
    sleep 3
    local wine_pid before after
    wine_pid=$(pgrep -f 'Velmoran.dll' | head -n 1)
    before=$(cpu "$wine_pid")
    sleep "$seconds"
    after=$(cpu "$wine_pid")
    for _ in $(seq 40); do kill -0 $pid 2>/dev/null || break; xdotool key Escape; sleep 0.25; done
    wait $pid
    cmake/wine-session.sh stop "$session"
    local swaps first last count
    swaps=$(grep 'wglSwapBuffers' "$work/trace" | cut -d: -f1)
    first=$(head -n1 <<<"$swaps")
    last=$(tail -n1 <<<"$swaps")
    count=$(wc -l <<<"$swaps")
    awk -v n="$count" -v a="$first" -v b="$last" -v c="$((after - before))" -v t="$ticks" -v s="$seconds" -v size="$size" \
        'BEGIN { printf "renderer under Wine %s: %.0f frames/s, CPU %.0f %% of a core\n", size, (n - 1) / (b - a), 100 * c / t / s }'
}

for size in 1024x768 1920x1080; do
    hack_run "$size"
    renderer_run "$size"
done
