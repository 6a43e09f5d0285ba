#!/usr/bin/env bash
# The Linux hack as the real XScreenSaver daemon runs it (the session of
# tests/hack/daemon_session.sh: a red and blue desktop, the daemon's saved
# desktop as the floor): from the hack's start to its first frame, then its
# frames per second and CPU use (per cent of one core) over SECONDS. A small
# preloaded library notes the time of the program's start and of its first
# buffer swap, and counts the swaps.
#
#   bench/hack_daemon_frames.sh [SECONDS] [RUNS]     defaults: 10 s, 3 runs
#
# HACK names another build of the hack (say, of an earlier commit).
# Needs the linux build; runs as root (the daemon runs as nobody).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)
seconds=${1:-10}
runs=${2:-3}
hack=${HACK:-$root/build/linux/renderer/velmoran}
picture=$root/build/linux/tests/hack/desktop_picture
[ -x "$hack" ] && [ -x "$picture" ] || { echo "build the linux preset first" >&2; exit 2; }
work=$(mktemp -d /tmp/velmoran-daemon-bench.XXXXXX)
chmod a+rx "$work"
# shellcheck source=tests/hack/daemon_session.sh
. tests/hack/daemon_session.sh
trap 'daemon_session_stop; rm -rf "$work"' EXIT

# Buffer swaps counted by bench/swap_counter.c, preloaded.
gcc -shared -fPIC -O2 -o "$work/swaps.so" bench/swap_counter.c -ldl || exit 2
mkdir -m 777 "$work/out"

cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
ticks=$(getconf CLK_TCK)
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

daemon_session_start "$hack" "$picture" "$work/session" LD_PRELOAD="$work/swaps.so" \
    SWAP_COUNT_FILE="$work/out/swaps" FIRST_SWAP_FILE="$work/out/first" ||
    { echo "the daemon does not answer" >&2; exit 1; }
for run in $(seq "$runs"); do
    rm -f "$work/out/swaps" "$work/out/first"
    as_account xscreensaver-command -activate >/dev/null 2>&1
    pid=''
    for _ in $(seq 100); do
        pid=$(pgrep -u "$account" -x velmoran | head -n 1)
        [ -n "$pid" ] && [ -s "$work/out/first" ] && break
        sleep 0.1
    done
    [ -s "$work/out/first" ] || { echo "run $run: no frame within 10 s"; continue; }
    sleep 3
    kill -USR1 "$pid"
    before=$(cpu "$pid")
    start=$(date +%s%N)
    sleep "$seconds"
    kill -USR1 "$pid"
    after=$(cpu "$pid")
    elapsed=$((($(date +%s%N) - start) / 1000000))
    as_account xscreensaver-command -deactivate >/dev/null 2>&1
    for _ in $(seq 50); do pgrep -u "$account" -x velmoran >/dev/null || break; sleep 0.1; done
    awk -v run="$run" -v first="$(cat "$work/out/first")" -v ms="$elapsed" -v c="$((after - before))" \
        -v t="$ticks" 'NR == 1 { a = $1 } NR == 2 {
            printf "run %s: first frame %d ms after the start, %.1f frames/s, CPU %.0f %% of a core\n",
                run, first, ($1 - a) / (ms / 1000), 100 * c / t / (ms / 1000) }' "$work/out/swaps" |
        tee -a "$work/results"
    sleep 1
done
echo "medians of $(grep -c . "$work/results") runs: first frame" \
    "$(awk '{ print $5 }' "$work/results" | median) ms," \
    "$(awk '{ print $10 }' "$work/results" | median) frames/s," \
    "CPU $(awk '{ print $13 }' "$work/results" | median) % of a core"
