#!/usr/bin/env bash
# Links where the hand-off folder or its files should be: a run never writes
# through them. Wine shows a Unix symbolic link to a folder as a reparse
# point, and follows one to a file; a Windows program under Wine cannot make
# either, so this makes them from the shell in the test session's drive C:
#   - C:\q_velk a link to another folder: nothing lands in that folder;
#   - C:\q_velk a plain folder whose three files are links to files elsewhere:
#     those files stay as they were, and so do the links.
# Each run uses the renderer stand-in, goes on as usual and ends with code 0.
# (Junctions and NTFS symbolic links proper, and other users, are beyond
# Wine: the native tests cover the decisions for them.)
#
#   handoff_link_check.sh SESSION_DIR PROGRAM_FOLDER WORK_DIR
set -u
session=$1 programs=$2 work=$3

fail() { echo "FAIL: $*"; exit 1; }

# shellcheck disable=SC1091
. "$session/env" || fail "no test session in $session"
drive_c=$WINEPREFIX/drive_c
handoff=$drive_c/q_velk
rm -rf "$work"
mkdir -p "$work/programs" "$work/elsewhere" "$work/victims"
cp "$programs/Velmoran.scr" "$work/programs/Velmoran.scr" || fail "no Velmoran.scr"
cp "$programs/renderer_stand_in.exe" "$work/programs/Velmoran.dll" || fail "no stand-in"

# run NAME: one run; the stand-in's window shows, then it is told to stop.
run() {
    local name=$1 i status
    rm -f "$work/programs/Velmoran.dll.log" "$work/programs/Velmoran.dll.stop"
    "$VELMORAN_WINE" "$work/programs/Velmoran.scr" /s >/dev/null 2>&1 &
    local scr=$!
    for i in $(seq 300); do
        grep -q '^window=made' "$work/programs/Velmoran.dll.log" 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^window=made' "$work/programs/Velmoran.dll.log" 2>/dev/null ||
        { kill $scr; fail "$name: the run did not go on to the renderer"; }
    touch "$work/programs/Velmoran.dll.stop"
    for i in $(seq 100); do kill -0 $scr 2>/dev/null || break; sleep 0.1; done
    kill -0 $scr 2>/dev/null && { kill $scr; fail "$name: Velmoran.scr did not end"; }
    wait $scr
    status=$?
    [ $status -eq 0 ] || fail "$name: Velmoran.scr ended with $status"
    echo "$name: the run went on and ended with 0"
}

cleanup() { rm -rf "$handoff"; }
trap cleanup EXIT

# The folder is a link to another folder.
rm -rf "$handoff"
ln -s "$work/elsewhere" "$handoff"
run folder-link
[ -z "$(ls -A "$work/elsewhere")" ] || fail "folder-link: written through: $(ls "$work/elsewhere")"
[ -L "$handoff" ] || fail "folder-link: the link is gone"
echo "folder-link: nothing was written through the link"

# The files are links to files elsewhere.
rm -rf "$handoff"
mkdir "$handoff"
for i in 0 1 2; do
    printf 'not yours %s\n' "$i" >"$work/victims/file$i"
    ln -s "$work/victims/file$i" "$handoff/Velmoran$i.bmp"
done
run file-links
for i in 0 1 2; do
    [ "$(cat "$work/victims/file$i")" = "not yours $i" ] ||
        fail "file-links: file$i was written through Velmoran$i.bmp"
done
# The links are left where they were: neither written through nor removed
# through (the file a link leads to is not the program's to remove).
for i in 0 1 2; do
    [ -L "$handoff/Velmoran$i.bmp" ] || fail "file-links: the link Velmoran$i.bmp is gone"
done
echo "file-links: the files linked to stayed as they were"
echo "PASS"
