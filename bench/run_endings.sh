#!/usr/bin/env bash
# The ends of whole screensaver runs under Wine, in a Wine session of its own
# (1024x768), driven by bench/run_driver.cpp:
#   - RUNS runs in a row, each started as the system starts it ("/s") and
#     ended with Esc in the renderer: every exit code, and after each run what
#     is left (the photograph, a window of either program, a process of
#     either program); at the end, the hand-off folder and the Wine processes;
#   - KILLS runs whose renderer is terminated mid-run, as a crash would end
#     it: from the renderer's end to Velmoran.scr's end (median and most), its
#     exit code, and the cursor shown again, read from Wine's trace of
#     ShowCursor (hidden once at the start, shown once at the end, back at 0).
#
#   bench/run_endings.sh [RUNS] [KILLS]      100 and 20 by default
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)
runs=${1:-100}
kills=${2:-20}

cmake --preset win64 >/dev/null &&
    cmake --build --preset win64 -j2 --target screensaver renderer velmoran_run_driver >/dev/null ||
    { echo "build failed" >&2; exit 2; }
bin=$root/build/win64/bin
work=$root/build/bench-endings
session=$work/session
rm -rf "$work"
mkdir -p "$work/programs"
cp "$bin/Velmoran.scr" "$bin/Velmoran.dll" "$work/programs/"
trap 'cmake/wine-session.sh stop "$session"' EXIT
cmake/wine-session.sh start "$session" >/dev/null || exit 2
# shellcheck disable=SC1091
. "$session/env"

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
driver=$(windows_path "$bin/velmoran_run_driver.exe")
scr=$(windows_path "$work/programs/Velmoran.scr")
values() { grep -a "^$1=" "$2" | cut -d= -f2; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
most() { sort -n | tail -n1; }
tally() { values "$1" "$2" | sort | uniq -c | awk '{ printf "%s%s x %s", (NR > 1 ? ", " : ""), $1, $2 }'; }

# A first run starts Wine's services; it is not counted.
"$VELMORAN_WINE" "$driver" --out "$(windows_path "$work/warmup.txt")" "$scr" >/dev/null 2>&1

echo "== $runs runs, each started with /s and ended with Esc"
"$VELMORAN_WINE" "$driver" --runs "$runs" --out "$(windows_path "$work/esc.txt")" "$scr" \
    >/dev/null 2>&1
echo "  driver exit code: $?"
echo "  runs driven: $(values run "$work/esc.txt" | wc -l)"
echo "  Velmoran.scr exit codes: $(tally screensaver_exit_code "$work/esc.txt")"
echo "  renderer exit codes:     $(tally renderer_exit_code "$work/esc.txt")"
echo "  photograph left after a run: $(tally left_photograph "$work/esc.txt")"
echo "  windows left after a run:    $(tally left_windows "$work/esc.txt")"
echo "  processes left after a run:  $(tally left_processes "$work/esc.txt")"
echo "  Esc to Velmoran.scr's exit, ms: median $(values esc_to_screensaver_exit "$work/esc.txt" | median)," \
    "most $(values esc_to_screensaver_exit "$work/esc.txt" | most)"
# shellcheck source=bench/hand_off_pictures.sh
. bench/hand_off_pictures.sh
echo "  the hand-off folder afterwards: $(ls "$(hand_off_folder)" | paste -sd ' ')"
sleep 1
echo "  Wine processes of either program afterwards: $(pgrep -fc 'bench-endings.programs.Velmoran')"

echo
echo "== $kills runs whose renderer is terminated mid-run"
WINEDEBUG=+pid,+loaddll,+cursor "$VELMORAN_WINE" "$driver" --runs "$kills" --end kill \
    --hold 500 --out "$(windows_path "$work/kill.txt")" "$scr" >/dev/null 2>"$work/kill.trace"
echo "  driver exit code: $?"
echo "  Velmoran.scr exit codes: $(tally screensaver_exit_code "$work/kill.txt")"
echo "  renderer's end to Velmoran.scr's end, ms: median" \
    "$(values kill_to_screensaver_exit "$work/kill.txt" | median)," \
    "most $(values kill_to_screensaver_exit "$work/kill.txt" | most)"
echo "  photograph left after a run: $(tally left_photograph "$work/kill.txt")"
# Each Velmoran.scr process's ShowCursor calls, as Wine's trace prints them.
shown=0
hidden=0
for pid in $(grep -a 'trace:loaddll:.*Loaded L".*\\Velmoran\.scr"' "$work/kill.trace" | cut -d: -f1 | sort -u); do
    calls=$(grep -a "^$pid:.*NtUserShowCursor" "$work/kill.trace" | sed 's/.*NtUserShowCursor //' | paste -sd ';')
    if [ "$calls" = "0, count=-1;1, count=0" ]; then
        shown=$((shown + 1))
    else
        hidden=$((hidden + 1))
        echo "  Velmoran.scr $pid: ShowCursor calls $calls"
    fi
done
echo "  runs whose cursor was hidden once and shown again (back at 0): $shown; others: $hidden"
echo
echo "raw results: $work"
