#!/usr/bin/env bash
# The program installed where its folder cannot be written: the settings
# dialog saves a music file picked in its chooser into the user's own
# settings file (read_only_folder_test.exe drives it), and the run that
# follows plays that file, heard on the session's null audio sink.
#
#   settings_read_only_check.sh SESSION_DIR PROGRAM_FOLDER WORK_DIR
set -u
session=$1 programs=$2 work=$3

fail() { echo "FAIL: $*"; exit 1; }

# shellcheck disable=SC1091
. "$session/env" || fail "no test session in $session"
here=$(dirname "$0")
# shellcheck source=tests/system/screensaver/run_helpers.sh
. "$here/../screensaver/run_helpers.sh"
# shellcheck source=tests/system/support/sound_recording.sh
. "$here/../support/sound_recording.sh"
for tool in parec sox xdotool; do
    command -v $tool >/dev/null || fail "$tool is not installed"
done

folder="$work/installed"
[ -d "$folder" ] && { chattr -i "$folder" 2>/dev/null; umount "$folder" 2>/dev/null; }
rm -rf "$work"
mkdir -p "$folder"
cp "$programs/Velmoran.scr" "$programs/Velmoran.dll" "$folder/" || fail "cannot copy the programs"
sox -n -r 22050 -b 16 -c 1 "$work/tone.wav" synth 0.7 sine 440 vol 0.5 || fail "sox"
# NOTE: Wine runs as root here, which the folder's permissions would not
# stop; an immutable folder refuses every new file, root's too. Where the
# file system has no such flag, a read-only bind mount of the folder does.
if chattr +i "$folder" 2>/dev/null; then
    trap 'chattr -i "$folder"' EXIT
elif mount --bind "$folder" "$folder" 2>/dev/null && mount -o remount,ro,bind "$folder"; then
    trap 'umount "$folder"' EXIT
else
    fail "cannot make $folder read-only (chattr +i, or a read-only bind mount)"
fi
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

VELMORAN_PROGRAM_FOLDER=$(windows_path "$folder") VELMORAN_MUSIC_FILE=$(windows_path "$work/tone.wav") \
    "$VELMORAN_WINE" "$programs/read_only_folder_test.exe" \
    "--gtest_output=xml:$(windows_path "$RESULTS_DIR")\\settings_read_only_check.xml" ||
    fail "the dialog did not save into the user's own file"

# The run that follows reads the user's own file: the tone plays.
"$VELMORAN_WINE" "$(windows_path "$folder/Velmoran.scr")" /s >"$work/run.log" 2>&1 &
scr=$!
window=$(renderer_window) || { kill $scr; fail "no renderer window"; }
record 1.5 "$work/playing.raw"
press_escape "$window"
wait_for_end $scr run
status=$?
rms=$(value "RMS.*amplitude" "$work/playing.raw")
frequency=$(value "Rough.*frequency" "$work/playing.raw")
echo "run: exit status $status, RMS amplitude $rms, rough frequency $frequency Hz"
[ $status -eq 0 ] || fail "Velmoran.scr did not end cleanly"
awk -v r="$rms" 'BEGIN { exit !(r > 0.05) }' || fail "no music during the run"
awk -v f="$frequency" 'BEGIN { exit !(f > 400 && f < 480) }' || fail "not the 440 Hz tone"
echo "PASS"
