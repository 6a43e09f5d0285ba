#!/usr/bin/env bash
# Listens to what the music module plays under Wine: records the test
# session's null sink (its monitor) while a helper program plays a WAV with
# WavPlay and an MP3 with Mp3Open and Mp3KeepPlaying, and checks with sox that
# the tone is there while it plays and that there is silence after WavStop
# and Mp3Close. Prints the silences between MP3 plays (end to restart, as heard).
# Then the renderer with thunder on and no music: thunder is heard within 4 s
# of its window's start, and silence follows its end with Esc.
#
#   music_sound_check.sh SESSION_DIR WINE_RUN HELPER_EXE MP3 WORK_DIR RENDERER
set -u
session=$1 wine_run=$2 helper=$3 mp3=$4 work=$5 renderer=$6

fail() { echo "FAIL: $*"; exit 1; }

# shellcheck disable=SC1091
. "$session/env" || fail "no test session in $session"
command -v parec >/dev/null || fail "parec (pulseaudio-utils) is not installed"
command -v sox >/dev/null || fail "sox is not installed"
rm -rf "$work"
mkdir -p "$work"

# shellcheck source=tests/system/support/sound_recording.sh
. "$(dirname "$0")/../support/sound_recording.sh"

# play MODE FILE SECONDS: starts the helper, records SECONDS while it plays
# and 0.7 s after it stopped, and ends it; leaves MODE.playing.raw and MODE.stopped.raw.
play() {
    local mode=$1 file=$2 seconds=$3 markers=$work/$1-markers
    mkdir -p "$markers"
    "$wine_run" "$helper" "$mode" "$(windows_path "$file")" "$(windows_path "$markers")" \
        >"$work/$mode.log" 2>&1 &
    local pid=$! i
    for i in $(seq 300); do [ -e "$markers/playing" ] || ! kill -0 $pid 2>/dev/null && break; sleep 0.05; done
    [ -e "$markers/playing" ] || { wait $pid; fail "$mode: the helper did not start playing (exit $?)"; }
    record "$seconds" "$work/$mode.playing.raw"
    touch "$markers/stop"
    for i in $(seq 200); do [ -e "$markers/stopped" ] && break; sleep 0.05; done
    sleep 0.3 # what was already on its way to the sink
    record 0.7 "$work/$mode.stopped.raw"
    touch "$markers/exit"
    wait $pid
    local code=$?
    [ $code -eq 0 ] || fail "$mode: the helper ended with $code"
}

check_tone() {
    local what=$1 file=$2 rms frequency
    rms=$(value "RMS.*amplitude" "$file")
    frequency=$(value "Rough.*frequency" "$file")
    echo "$what: RMS amplitude $rms, rough frequency $frequency Hz"
    awk -v r="$rms" 'BEGIN { exit !(r > 0.05) }' || fail "$what: silence where the tone should play"
    awk -v f="$frequency" 'BEGIN { exit !(f > 400 && f < 480) }' || fail "$what: not the 440 Hz tone"
}

check_silent() {
    local what=$1 file=$2 peak
    peak=$(value "Maximum.*amplitude" "$file")
    echo "$what: maximum amplitude $peak"
    awk -v p="$peak" 'BEGIN { exit !(p < 0.001) }' || fail "$what: still sounding"
}

# A 0.7 s WAV, looped by the platform: the tone throughout 2 s (its third
# play included), only short silences between plays, nothing after WavStop.
play wav "$work/tone.wav" 2
check_tone "WAV while playing" "$work/wav.playing.raw"
sox -t raw -r $rate -e signed -b 16 -c 2 "$work/wav.playing.raw" -t raw "$work/wav.late.raw" trim 1.4
check_tone "WAV 1.4 s to 2 s into the recording" "$work/wav.late.raw"
wav_gaps=$(silences "$work/wav.playing.raw")
echo "WAV silences between plays (ms): ${wav_gaps:-none}"
for gap in $wav_gaps; do
    [ "$gap" -le 200 ] || fail "WAV: a silence of $gap ms, it does not loop"
done
check_silent "WAV after WavStop" "$work/wav.stopped.raw"

# The 1.5 s MP3 kept alive every 1000 ms: heard again after each end.
play mp3 "$mp3" 5
check_tone "MP3 while kept alive" "$work/mp3.playing.raw"
mp3_gaps=$(silences "$work/mp3.playing.raw")
echo "MP3 end to restart, as heard (ms): ${mp3_gaps:-none}"
set -- $mp3_gaps
[ $# -ge 2 ] || fail "MP3: not heard again after its end (silences: ${mp3_gaps:-none})"
check_silent "MP3 after Mp3Close" "$work/mp3.stopped.raw"

# The first bolt comes with the renderer's start; its thunder 0.3 to 3 s later.
# NOTE: a program that plays through the wave output from a window starts
# Wine's RPC service in its session, and the file chooser of a later program
# then finds the shell slow to answer. The renderer thunders in a Wine
# session of its own, so that the tests after this one find theirs as it was.
thunder_session=$work/thunder-session
"$(dirname "$0")/../../../cmake/wine-session.sh" start "$thunder_session" >/dev/null ||
    fail "thunder: no Wine session of its own"
(
    # shellcheck disable=SC1091
    . "$thunder_session/env"
    "$VELMORAN_WINE" "$renderer" /keep-resolution /thunder >"$work/thunder.log" 2>&1 &
    renderer_pid=$!
    window=$(xdotool search --sync --name '^Velmoran_VC$' 2>/dev/null | head -n 1)
    [ -n "$window" ] || fail "thunder: no renderer window"
    record 4 "$work/thunder.playing.raw"
    peak=$(value "Maximum.*amplitude" "$work/thunder.playing.raw")
    echo "thunder within 4 s of the start: maximum amplitude $peak"
    awk -v p="$peak" 'BEGIN { exit !(p > 0.05) }' || fail "thunder: nothing heard within 4 s"
    xdotool key --window "$window" Escape
    for _ in $(seq 100); do kill -0 $renderer_pid 2>/dev/null || break; sleep 0.05; done
    kill -0 $renderer_pid 2>/dev/null && fail "thunder: Esc did not end the renderer"
    sleep 0.3 # what was already on its way to the sink
    record 0.7 "$work/thunder.stopped.raw"
    check_silent "thunder after Esc" "$work/thunder.stopped.raw"
)
status=$?
"$(dirname "$0")/../../../cmake/wine-session.sh" stop "$thunder_session"
[ $status -eq 0 ] || exit 1
echo "PASS"
