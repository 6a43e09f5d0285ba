#!/usr/bin/env bash
# Measures the renderer under Wine on a private Xvfb (llvmpipe), with a
# 1920x1080 desktop picture and two bolt pictures: the time from the
# program's start to its first swapped frame, and the frame rate its loop
# reaches. Both are read from Wine's own timestamped traces (the program's
# first module load, and every wglSwapBuffers), so the program is measured
# as it ships. Three displays, one after the other: a 1024x768 screen, which
# the renderer takes as its switched mode; a 1920x1080 screen whose
# resolution it keeps (/keep-resolution), drawing over twice the pixels; and
# two 1024x768 monitors (Xorg's dummy driver), first with the scene on the
# primary alone, then with a scene on each (/every-monitor). The renderer
# runs unpaced (/unpaced), frames back to back, so that the rate is the
# cost of a frame; bench/hack_frames.sh measures it paced too. A run whose
# trace holds no program load or fewer than two frames cannot be measured:
# it is reported as such and left out of the medians.
#
#   bench/renderer_frames.sh [RUNS] [SECONDS]     defaults: 5 runs of 3 s
#
# Needs the win64 build (cmake --build --preset win64).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)
runs=${1:-5}
seconds=${2:-3}
program=$root/build/win64/bin/Velmoran.dll
[ -f "$program" ] || { echo "build the win64 preset first" >&2; exit 2; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# measure NAME SCREEN ARGUMENTS [MONITORS]: the runs on a screen of its own
# (with MONITORS 2, two monitors of 1024x768 instead).
measure() {
    local name=$1 screen=$2 arguments=$3 monitors=${4:-1}
    local session
    session=$(mktemp -d /tmp/velmoran-bench.XXXXXX)
    VELMORAN_SCREEN=$screen VELMORAN_MONITORS=$monitors cmake/wine-session.sh start "$session" \
        >/dev/null || exit 2
    (
        # shellcheck disable=SC1091
        . "$session/env"
        wine=$VELMORAN_WINE
        # shellcheck source=bench/hand_off_pictures.sh
        . bench/hand_off_pictures.sh
        write_hand_off_pictures 1920x1080
        echo "== $name"
        # A trivial program's whole start and exit, for scale.
        trivial=$session/trivial.exe
        printf 'int main(){return 0;}\n' | x86_64-w64-mingw32-gcc-posix -x c - -o "$trivial" || exit 2
        "$wine" "$trivial"
        trivial_ms=$(for _ in $(seq "$runs"); do
            start=$(date +%s%N)
            "$wine" "$trivial"
            echo $((($(date +%s%N) - start) / 1000000))
        done | median)
        echo "trivial program, start to exit: $trivial_ms ms (median of $runs)"
        first_frame=()
        rates=()
        for run in $(seq "$runs"); do
            log=$session/trace-$run.log
            WINEDEBUG=+timestamp,+loaddll,+wgl "$wine" "$program" $arguments 2>"$log" &
            pid=$!
            sleep "$seconds"
            # NOTE: early in a new Wine session keys pressed through XTEST can be lost; press Esc
            # until the program has ended.
            for _ in $(seq 80); do
                kill -0 "$pid" 2>/dev/null || break
                xdotool key Escape
                sleep 0.25
            done
            wait "$pid"
            # Timestamps are seconds with millisecond precision.
            loaded=$(grep -m1 'Loaded L".*Velmoran.dll"' "$log" | cut -d: -f1)
            swaps=$(grep 'wglSwapBuffers' "$log" | cut -d: -f1 | grep -E '^[0-9]+\.[0-9]+$')
            first=$(head -n1 <<<"$swaps")
            last=$(tail -n1 <<<"$swaps")
            count=$(grep -c . <<<"$swaps")
            if [ -z "$loaded" ] || [ "$count" -lt 2 ] || ! awk -v a="$first" -v b="$last" -v l="$loaded" \
                'BEGIN { exit !(b > a && a >= l) }'; then
                echo "run $run: could not be measured (program load or frames missing from the trace)"
                continue
            fi
            first_frame+=("$(awk -v a="$loaded" -v b="$first" 'BEGIN { printf "%.0f", (b - a) * 1000 }')")
            rates+=("$(awk -v n="$count" -v a="$first" -v b="$last" 'BEGIN { printf "%.0f", (n - 1) / (b - a) }')")
            echo "run $run: first frame ${first_frame[-1]} ms after the program was loaded, ${rates[-1]} frames/s"
        done
        if [ ${#rates[@]} -eq 0 ]; then
            echo "no run could be measured"
        else
            echo "start to first swapped frame: $(printf '%s\n' "${first_frame[@]}" | median) ms (median of ${#rates[@]} measured)"
            echo "frame rate: $(printf '%s\n' "${rates[@]}" | median) frames/s (median of ${#rates[@]} measured)"
        fi
    )
    cmake/wine-session.sh stop "$session"
}

measure "1024x768, switched to 1024x768" 1024x768x24 /unpaced
measure "1920x1080, resolution kept" 1920x1080x24 "/keep-resolution /unpaced"
measure "two monitors of 1024x768, the primary alone (the other black)" 1024x768x24 /unpaced 2
measure "two monitors of 1024x768, a scene on each" 1024x768x24 "/every-monitor /unpaced" 2
