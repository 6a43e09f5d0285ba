#!/usr/bin/env bash
# A program that played an MP3 through the music module ends cleanly, whether
# the run closed the file (Mp3Close) or left that to the module. A Wine
# process that ends with the MPEG device still open crashes after its Windows
# exit code is already set, so a Windows parent sees 0 either way: the Unix
# exit status of the Wine process is what shows it.
#
#   music_exit_check.sh WINE_RUN HELPER_EXE MP3
set -u
wine_run=$1 helper=$2 mp3=$3
mp3_windows="Z:${mp3//\//\\}"
status=0
for ending in close leave; do
    output=$("$wine_run" "$helper" mp3-exit "$mp3_windows" "$ending" 2>&1)
    code=$?
    echo "$ending: exit status $code; $(grep -a 'ending with' <<<"$output")"
    if [ $code -ne 0 ] || ! grep -q 'ending with the file' <<<"$output"; then
        echo "FAIL: the program that played the MP3 ($ending) did not end cleanly"
        echo "$output" | tail -n 5
        status=1
    fi
done
exit $status
