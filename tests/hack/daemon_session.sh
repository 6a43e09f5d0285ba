# Sourced by hack_daemon_check.sh and bench/hack_daemon_frames.sh: the real
# XScreenSaver daemon on a private Xvfb with a red and blue desktop, run as
# an unprivileged account (the daemon launches no hack as root) with a home
# folder of its own and the hack alone in its list, as a GL hack.
#
#   daemon_session_start PROGRAM DESKTOP_PICTURE WORK_DIR [ENV...]
#       ENV: further variables for the daemon and so for the hack
#   as_account COMMAND...        runs a command as that account
#   daemon_prefs KEY VALUE       changes one of the account's settings
#   daemon_session_stop          ends everything it started

account=nobody group=nogroup
daemon_pid='' desktop_pid='' xvfb_pid='' session_display='' session_work='' session_env=()

as_account() {
    setpriv --reuid="$account" --regid="$group" --clear-groups \
        env -i HOME="$session_work/home" DISPLAY="$session_display" \
        PATH="$session_work/bin:/usr/libexec/xscreensaver:/usr/bin:/bin" "${session_env[@]}" "$@"
}

daemon_prefs() {
    sed -i "s|^$1:.*|$1: $2|" "$session_work/home/.xscreensaver"
    # The daemon rereads its settings when the file is newer than its reading.
    touch -d '+2 seconds' "$session_work/home/.xscreensaver"
}

daemon_session_start() {
    local program=$1 picture=$2
    session_work=$3
    shift 3
    session_env=("$@")
    rm -rf "$session_work"
    mkdir -p "$session_work/bin" "$session_work/home" "$session_work/images"
    cp "$program" "$session_work/bin/velmoran"
    cat >"$session_work/home/.xscreensaver" <<PREFS
mode: one
selected: 0
timeout: 0:30:00
grabDesktopImages: True
chooseRandomImages: False
imageDirectory: $session_work/images
grabVideoFrames: False
fade: False
unfade: False
lock: False
splash: False
programs: GL: velmoran --root
PREFS
    chmod -R a+rX "$session_work"
    chown -R "$account:$group" "$session_work/home"
    local folder
    for folder in "$session_work" "$(dirname "$session_work")"; do chmod a+x "$folder"; done

    Xvfb -displayfd 5 -ac -screen 0 1024x768x24 -nolisten tcp 5>"$session_work/display" \
        >"$session_work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$session_work/display" ] && break; sleep 0.05; done
    session_display=":$(head -n1 "$session_work/display")"
    # The desktop: red on the left half, blue on the right.
    DISPLAY=$session_display "$picture" &
    desktop_pid=$!
    sleep 0.5
    as_account xscreensaver -no-splash -verbose >"$session_work/daemon.log" 2>&1 &
    daemon_pid=$!
    for _ in $(seq 100); do as_account xscreensaver-command -version >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

daemon_session_stop() {
    [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null
    [ -n "$desktop_pid" ] && kill "$desktop_pid" 2>/dev/null
    pkill -u "$account" -x velmoran 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    daemon_pid='' desktop_pid='' xvfb_pid=''
}
