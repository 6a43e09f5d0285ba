#!/usr/bin/env bash
# A long run of the renderer under Wine on a private Xvfb, with a desktop
# picture and two bolt pictures in the hand-off folder: its memory (resident set of
# the Wine process) after 1 minute and at the end, and the most sprites each
# pool held at once (written by bench/renderer_soak_entry.cpp at exit).
#
#   bench/renderer_soak.sh [SECONDS]     default 600 (10 minutes)
#
# Needs the win64 build (cmake --build --preset win64 --target renderer_soak).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)
seconds=${1:-600}
program=$root/build/win64/bin/renderer_soak.exe
[ -f "$program" ] || { echo "build the win64 target renderer_soak first" >&2; exit 2; }

session=$(mktemp -d /tmp/velmoran-soak.XXXXXX)
trap 'cmake/wine-session.sh stop "$session"' EXIT
cmake/wine-session.sh start "$session" || exit 2
# shellcheck disable=SC1091
. "$session/env"

# shellcheck source=bench/hand_off_pictures.sh
. bench/hand_off_pictures.sh
write_hand_off_pictures 1920x1080

peaks=$session/peaks.txt
"$VELMORAN_WINE" "$program" "Z:${peaks//\//\\}" &
runner=$!
rss_kib() {
    local pid
    pid=$(pgrep -f 'renderer_soak.exe' | head -n1)
    [ -n "$pid" ] && awk '/^VmRSS/ { print $2 }' "/proc/$pid/status"
}
sleep 60
echo "resident memory after 60 s: $(rss_kib) KiB"
sleep $((seconds > 60 ? seconds - 60 : 0))
echo "resident memory after $seconds s: $(rss_kib) KiB"
# NOTE: early in a new Wine session keys pressed through XTEST can be lost; press Esc
# until the program has ended.
for _ in $(seq 80); do
    kill -0 "$runner" 2>/dev/null || break
    xdotool key Escape
    sleep 0.25
done
wait "$runner"
echo "exit code: $?"
cat "$peaks"
