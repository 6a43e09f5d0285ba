#!/usr/bin/env bash
# Music in real screensaver runs, heard on the test session's null audio
# sink: Velmoran.scr and the renderer are copied into a folder whose name has
# blanks, with a settings file that chooses a WAV file in one run and an MP3
# file in the other (the keys as the Shift-JIS bytes the program writes).
# While the renderer runs, the sink's monitor must carry the 440 Hz tone (the
# 1.5 s MP3 heard again after its end); after Esc it must be silent, and
# Velmoran.scr's Wine process must end with status 0 (a process that ends
# with the MP3 still open crashes on its way out).
#
#   screensaver_music_check.sh SESSION_DIR PROGRAM_FOLDER MP3 WORK_DIR
set -u
session=$1 programs=$2 mp3=$3 work=$4

fail() { echo "FAIL: $*"; exit 1; }

# shellcheck disable=SC1091
. "$session/env" || fail "no test session in $session"
# shellcheck source=tests/system/screensaver/run_helpers.sh
. "$(dirname "$0")/run_helpers.sh"
for tool in parec sox xdotool iconv; do
    command -v $tool >/dev/null || fail "$tool is not installed"
done
rm -rf "$work"
folder="$work/music run"
mkdir -p "$folder"
cp "$programs/Velmoran.scr" "$programs/Velmoran.dll" "$folder/" || fail "cannot copy the programs"
cp "$mp3" "$work/tone 440 Hz.mp3"
sox -n -r 22050 -b 16 -c 1 "$work/tone 440 Hz.wav" synth 0.7 sine 440 vol 0.5 || fail "sox"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# shellcheck source=tests/system/support/sound_recording.sh
. "$(dirname "$0")/../support/sound_recording.sh"

# attempt NAME MUSIC_FILE SECONDS: a run with that music, recorded for
# SECONDS; status 3 when the run ended by itself before its recording did.
attempt() {
    local name=$1 music=$2 seconds=$3 window
    {
        printf '[Section]\r\n'
        printf 'BGM区分=2\r\n'
        printf 'BGMﾘﾋﾟｰﾄ=0\r\n'
        printf 'BGMﾌｧｲﾙ=%s\r\n' "$(windows_path "$music")"
    } | iconv -f UTF-8 -t CP932 >"$folder/Velmoran.ini" || fail "cannot write the settings"
    "$VELMORAN_WINE" "$(windows_path "$folder/Velmoran.scr")" /s >"$work/$name.log" 2>&1 &
    local scr=$!
    window=$(renderer_window) || { kill $scr; fail "$name: no renderer window"; }
    record "$seconds" "$work/$name.playing.raw"
    if ! kill -0 $scr 2>/dev/null; then
        # NOTE: a renderer that shows its window only after the run window's
        # first look ends the run at once (and its music with it); the
        # renderer runs on alone. A busy machine makes that happen.
        press_escape "$window"
        wait $scr
        return 3
    fi
    press_escape "$window"
    wait_for_end $scr "$name"
    local status=$?
    echo "$name: Velmoran.scr's Wine process ended with status $status"
    [ $status -eq 0 ] || { tail -n 5 "$work/$name.log"; fail "$name: Velmoran.scr did not end cleanly"; }
    sleep 0.3 # what was already on its way to the sink
    record 0.7 "$work/$name.after.raw"

    local rms frequency peak
    rms=$(value "RMS.*amplitude" "$work/$name.playing.raw")
    frequency=$(value "Rough.*frequency" "$work/$name.playing.raw")
    peak=$(value "Maximum.*amplitude" "$work/$name.after.raw")
    echo "$name: while running RMS amplitude $rms, rough frequency $frequency Hz; after the end maximum amplitude $peak"
    awk -v r="$rms" 'BEGIN { exit !(r > 0.05) }' || fail "$name: no music during the run"
    awk -v f="$frequency" 'BEGIN { exit !(f > 400 && f < 480) }' || fail "$name: not the 440 Hz tone"
    awk -v p="$peak" 'BEGIN { exit !(p < 0.001) }' || fail "$name: the music goes on after the run"
}

# run NAME MUSIC_FILE SECONDS: attempt, up to three times when the run ended
# at its first look.
run() {
    local i
    for i in 1 2 3; do
        attempt "$@"
        [ $? -eq 3 ] || return 0
        echo "$1: the run ended at its first look, before the renderer's window (attempt $i)"
        sleep 1
    done
    fail "$1: every run ended before the renderer's window was there"
}

run wav "$work/tone 440 Hz.wav" 2
run mp3 "$work/tone 440 Hz.mp3" 4
gaps=$(silences "$work/mp3.playing.raw")
echo "mp3: silences between plays (ms): ${gaps:-none}"
[ -n "$gaps" ] || fail "mp3: the 1.5 s file was not heard again after its end"
echo "PASS"
