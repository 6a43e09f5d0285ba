#!/usr/bin/env bash
# Links where the user's hand-off folder or its files should be: neither
# program writes, reads or removes through them. Wine shows a Unix symbolic
# link to a folder as a reparse point, and follows one to a file; a Windows
# program under Wine cannot make either, so this makes them from the shell in
# the test session's drive C:
#   - the folder a link to another folder: a run writes nothing there, and the
#     renderer does not show the red picture that folder holds;
#   - a plain folder whose three files are links to files elsewhere: those
#     files and the links stay as they were, and the renderer shows the grey
#     floor of a missing picture, not the red picture a link leads to;
#   - the same red picture as a plain file: the renderer shows it (so the
#     colour check can fail);
#   - the shared folder C:\q_velk of earlier versions, with pictures in it: a
#     run leaves it exactly as it was.
# Each run of Velmoran.scr uses the renderer stand-in; the renderer's own
# runs use Velmoran.dll. Every run ends with code 0.
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
# The test account's local application data, as Wine lays it out.
local_app_data=$(ls -d "$drive_c"/users/*/AppData/Local 2>/dev/null | grep -v '/users/Public/' | head -n 1)
[ -d "$local_app_data" ] || fail "no local application data folder in $drive_c/users"
handoff=$local_app_data/Velmoran
shared=$drive_c/q_velk
rm -rf "$work"
mkdir -p "$work/programs" "$work/elsewhere" "$work/victims" "$work/red"
cp "$programs/Velmoran.scr" "$work/programs/Velmoran.scr" || fail "no Velmoran.scr"
cp "$programs/renderer_stand_in.exe" "$work/programs/Velmoran.dll" || fail "no stand-in"
convert -size 64x48 xc:'#ff2020' "BMP3:$work/red/Velmoran0.bmp" || fail "cannot make the red picture"

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

# floor NAME: the real renderer alone, for a few seconds; prints how much
# redder than green its floor (the screen's lowest quarter) is, 0 to 255.
floor() {
    local name=$1 i window='' status
    "$VELMORAN_WINE" "$programs/Velmoran.dll" >/dev/null 2>&1 &
    local renderer=$!
    for i in $(seq 200); do
        window=$(xdotool search --name '^Velmoran_VC$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { kill $renderer; fail "$name: the renderer's window did not show"; }
    sleep 2
    import -window root "$work/$name.png" 2>/dev/null
    # NOTE: taskkill without /f closes the renderer's window (WM_CLOSE); a key
    # sent from here could reach the next test's window instead.
    "$VELMORAN_WINE" taskkill /im Velmoran.dll >/dev/null 2>&1
    for i in $(seq 100); do kill -0 $renderer 2>/dev/null || break; sleep 0.1; done
    kill -0 $renderer 2>/dev/null && { kill $renderer; fail "$name: the renderer did not end when closed"; }
    wait $renderer
    status=$?
    [ $status -eq 0 ] || fail "$name: the renderer ended with $status"
    convert "$work/$name.png" -gravity south -crop 100%x25%+0+0 +repage \
        -format '%[fx:round(255*(mean.r-mean.g))]' info:
}

cleanup() { rm -rf "$handoff" "$shared"; }
trap cleanup EXIT

# An old shared folder, left by an earlier version, is none of a run's business.
rm -rf "$shared"
mkdir -p "$shared"
for i in 0 1 2; do printf 'an old picture %s\n' "$i" >"$shared/Velmoran$i.bmp"; done
(cd "$shared" && ls -l --time-style=full-iso) >"$work/shared-before"

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

(cd "$shared" && ls -l --time-style=full-iso) >"$work/shared-after"
cmp -s "$work/shared-before" "$work/shared-after" || fail "the old shared folder was changed"
for i in 0 1 2; do
    [ "$(cat "$shared/Velmoran$i.bmp")" = "an old picture $i" ] || fail "C:\\q_velk was written"
done
echo "shared-folder: C:\\q_velk stayed as it was"

# The renderer: a plain red picture shows; one behind a link does not.
rm -rf "$handoff"
mkdir "$handoff"
cp "$work/red/Velmoran0.bmp" "$handoff/Velmoran0.bmp"
red=$(floor renderer-plain)
[ "${red:-0}" -ge 15 ] || fail "renderer-plain: the red picture is not on the floor (red over green: $red)"
echo "renderer-plain: the floor shows the picture (red over green: $red)"

rm -f "$handoff/Velmoran0.bmp"
ln -s "$work/red/Velmoran0.bmp" "$handoff/Velmoran0.bmp"
red=$(floor renderer-file-link)
[ "${red:-99}" -le 5 ] || fail "renderer-file-link: the linked picture was read (red over green: $red)"
echo "renderer-file-link: the floor is grey (red over green: $red)"

rm -rf "$handoff"
ln -s "$work/red" "$handoff"
red=$(floor renderer-folder-link)
[ "${red:-99}" -le 5 ] || fail "renderer-folder-link: read through the link (red over green: $red)"
echo "renderer-folder-link: the floor is grey (red over green: $red)"
echo "PASS"
