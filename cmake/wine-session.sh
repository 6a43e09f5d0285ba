#!/usr/bin/env bash
# One private Wine environment for a whole test run: an Xvfb display
# (1024x768x24, or VELMORAN_SCREEN), a Wine prefix and a persistent
# wineserver, shared by every Windows-side test so that the prefix start-up
# (several seconds) is paid once. VELMORAN_DPI, when set at its start, gives
# the session's display that many dots per inch (display scaling).
# With VELMORAN_MONITORS=2 the display is an Xorg server with the dummy
# driver instead: two monitors side by side, (0,0)-(1024,768) the primary
# and (1024,0)-(2048,768), whose display modes really switch.
#
#   wine-session.sh start DIR     create the environment in DIR (idempotent)
#   wine-session.sh stop DIR      stop its processes and remove DIR
#   wine-session.sh run DIR PROG [ARGS...]
#                                 run a Windows program in it (starts it first if needed)
#
# DIR/env holds the variables a caller needs (WINEPREFIX, DISPLAY, ...).
set -u

WINE_BIN=${VELMORAN_WINE:-/usr/lib/wine/wine64}
WINESERVER_BIN=${VELMORAN_WINESERVER:-/usr/lib/wine/wineserver}

die() { echo "wine-session: $*" >&2; exit 2; }

alive() { [ -n "${1:-}" ] && kill -0 "$1" 2>/dev/null; }

start_session() {
    local dir=$1
    mkdir -p "$dir"
    exec 9>"$dir/lock"
    flock 9
    if [ -f "$dir/env" ]; then
        # shellcheck disable=SC1091
        . "$dir/env"
        if alive "$XVFB_PID"; then
            return 0
        fi
    fi
    [ -x "$WINE_BIN" ] || die "$WINE_BIN is not installed"

    # The X server picks a free display itself and writes its number to fd 5.
    rm -f "$dir/display"
    if [ "${VELMORAN_MONITORS:-1}" = 2 ]; then
        start_two_monitor_xorg "$dir" 5>"$dir/display" 9>&-
    elif [ "${VELMORAN_MONITORS:-1}" = no1024 ]; then
        start_no_1024_xorg "$dir" 5>"$dir/display" 9>&-
    else
        command -v Xvfb >/dev/null || die "Xvfb is not installed"
        Xvfb -displayfd 5 -screen 0 "${VELMORAN_SCREEN:-1024x768x24}" -nolisten tcp -noreset \
            5>"$dir/display" >"$dir/xvfb.log" 2>&1 9>&- &
    fi
    local xvfb_pid=$!
    local i
    for i in $(seq 100); do
        [ -s "$dir/display" ] && break
        alive "$xvfb_pid" || die "Xvfb did not start: $(cat "$dir/xvfb.log")"
        sleep 0.05
    done
    [ -s "$dir/display" ] || die "Xvfb gave no display number"
    local display=":$(head -n1 "$dir/display")"
    if [ "${VELMORAN_MONITORS:-1}" = 2 ]; then
        add_second_monitor "$display" "$dir" || die "xrandr failed: $(cat "$dir/xrandr.log")"
    fi

    local runtime="$dir/home"
    mkdir -p "$runtime"
    start_null_audio "$dir"
    # A Japanese locale of our own (code page 932 for programs that ask for
    # it) without touching the machine's locales.
    mkdir -p "$dir/locale"
    localedef -i ja_JP -f UTF-8 "$dir/locale/ja_JP.UTF-8" >"$dir/localedef.log" 2>&1 ||
        die "localedef failed: $(tail -n 3 "$dir/localedef.log")"
    cat >"$dir/env" <<ENV
export WINEPREFIX='$dir/prefix'
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe='
export DISPLAY='$display'
export HOME='$runtime'
export XDG_RUNTIME_DIR='$runtime'
export VELMORAN_WINE='$WINE_BIN'
export VELMORAN_WINESERVER='$WINESERVER_BIN'
export VELMORAN_ARTIFACTS_UNIX='$dir/../artifacts'
export LOCPATH='$dir/locale'
export PULSE_SERVER='unix:$pulse_socket'
XVFB_PID=$xvfb_pid
PULSE_PID=$pulse_pid
PULSE_SOCKET_DIR='$pulse_socket_dir'
ENV
    # shellcheck disable=SC1091
    . "$dir/env"
    mkdir -p "$VELMORAN_ARTIFACTS_UNIX"

    # A wineserver that stays up between programs keeps each start near 70 ms.
    # NOTE: it must be the first: a server that a program starts lingers only
    # as long as programs run (Debian's wineserver wrapper passes -p0), and
    # "wineserver -p" does not change a server that is already running.
    # Its output goes to a file: a caller that reads ours (ctest) would wait
    # for the server's end otherwise.
    mkdir -p "$WINEPREFIX"
    "$WINESERVER_BIN" -p </dev/null >"$dir/wineserver.log" 2>&1 9>&-
    "$WINE_BIN" wineboot -i >"$dir/wineboot.log" 2>&1 9>&- || die "wineboot failed"
    # Without a window manager, hiding or destroying a managed window blocks for
    # about two seconds; unmanaged windows close at once.
    "$WINE_BIN" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 9>&-
    # The Japanese user-interface fonts, mapped to the IPA fonts.
    local substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    LC_ALL=C.UTF-8 "$WINE_BIN" reg add "$substitutes" /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1 9>&-
    LC_ALL=C.UTF-8 "$WINE_BIN" reg add "$substitutes" /v 'ＭＳ ゴシック' /d IPAGothic /f >/dev/null 2>&1 9>&-
    [ -z "${VELMORAN_DPI:-}" ] || set_dpi "$dir" "$VELMORAN_DPI"
    return 0
}

# An Xorg server with the dummy video driver on a free display, whose number
# it writes to fd 5: the monitor's sync ranges (HorizSync, VertRefresh), the
# screen's virtual size and, when given, its only modes.
# NOTE: started in the background, so that the caller's $! is its process.
start_xorg() {
    local dir=$1 hsync=$2 vrefresh=$3 virtual=$4 modes=${5:-}
    command -v Xorg >/dev/null || die "Xorg is not installed"
    cat >"$dir/xorg.conf" <<CONF
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync $hsync
    VertRefresh $vrefresh
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual $virtual
$([ -n "$modes" ] && printf '        Modes "%s"\n' "$modes")
    EndSubSection
EndSection
CONF
    Xorg -displayfd 5 -noreset -nolisten tcp -config "$dir/xorg.conf" -logfile "$dir/xorg.log" \
        </dev/null >"$dir/xvfb.log" 2>&1 &
}

# One screen of 2048 x 768 for two monitors.
start_two_monitor_xorg() {
    start_xorg "$1" "5.0 - 1000.0" "5.0 - 200.0" "2048 768"
}

# A display of today that offers 1280 x 1024 at 60 Hz and no 1024 x 768 mode:
# the dummy driver keeps only the built-in modes within the sync ranges.
start_no_1024_xorg() {
    start_xorg "$1" "62.0 - 66.0" "50.0 - 70.0" "1280 1024" 1280x1024
}

add_second_monitor() {
    local display=$1 dir=$2
    {
        DISPLAY=$display xrandr --addmode DUMMY1 1024x768 &&
            DISPLAY=$display xrandr --addmode DUMMY1 800x600 &&
            DISPLAY=$display xrandr --output DUMMY0 --mode 1024x768 --pos 0x0 --primary \
                --output DUMMY1 --mode 1024x768 --right-of DUMMY0 &&
            DISPLAY=$display xrandr
    } >"$dir/xrandr.log" 2>&1
}

# Display scaling: GetDeviceCaps(LOGPIXELSX) reports the LogPixels value.
# NOTE: Wine reads it when the wineserver starts, so the server starts again.
set_dpi() {
    local dir=$1 dpi=$2
    "$WINE_BIN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1 9>&- || die "cannot set LogPixels"
    "$WINESERVER_BIN" -k >/dev/null 2>&1 9>&-
    "$WINESERVER_BIN" -w >/dev/null 2>&1 9>&-
    "$WINESERVER_BIN" -p </dev/null >>"$dir/wineserver.log" 2>&1 9>&-
    # The system's background programs start again with the first program;
    # they must not hold a caller's output open (ctest would wait for them).
    "$WINE_BIN" wineboot >>"$dir/wineboot.log" 2>&1 9>&- || die "wineboot failed after the restart"
}

# A PulseAudio server of our own with one null sink, so that Wine has a wave
# output that plays in real time and whose monitor (nullsink.monitor) records
# what was played. Sets pulse_pid, pulse_socket and pulse_socket_dir; no
# server (and no sound) when PulseAudio is not installed or does not start.
start_null_audio() {
    local dir=$1
    pulse_pid='' pulse_socket_dir=$dir/pulse
    # A socket path must stay short (108 bytes); a deep build folder gets one in /tmp.
    [ ${#pulse_socket_dir} -le 90 ] || pulse_socket_dir=$(mktemp -d /tmp/velmoran-pulse.XXXXXX)
    pulse_socket=$pulse_socket_dir/native
    command -v pulseaudio >/dev/null || { echo "wine-session: no pulseaudio, no sound" >&2; return 0; }
    mkdir -p "$pulse_socket_dir"
    HOME="$dir/home" XDG_RUNTIME_DIR="$dir/home" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
        -L "module-null-sink sink_name=nullsink" \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$pulse_socket" \
        </dev/null >"$dir/pulse.log" 2>&1 9>&- &
    pulse_pid=$!
    local i
    for i in $(seq 100); do
        [ -S "$pulse_socket" ] && return 0
        alive "$pulse_pid" || break
        sleep 0.02
    done
    echo "wine-session: pulseaudio did not start: $(tail -n 3 "$dir/pulse.log")" >&2
}

stop_session() {
    local dir=$1
    [ -d "$dir" ] || return 0
    if [ -f "$dir/env" ]; then
        # shellcheck disable=SC1091
        . "$dir/env"
        WINEPREFIX="$WINEPREFIX" "$WINESERVER_BIN" -k >/dev/null 2>&1
        alive "$XVFB_PID" && kill "$XVFB_PID" 2>/dev/null
        alive "${PULSE_PID:-}" && kill "$PULSE_PID" 2>/dev/null
        case ${PULSE_SOCKET_DIR:-} in /tmp/velmoran-pulse.*) rm -rf "$PULSE_SOCKET_DIR" ;; esac
    fi
    rm -rf "$dir"
}

run_in_session() {
    local dir=$1
    shift
    start_session "$dir" || exit $?
    exec 9>&-
    # shellcheck disable=SC1091
    . "$dir/env"
    # Windows-side tests save screenshots and results here (Wine maps Z: to /).
    local artifacts
    artifacts=$(cd "$VELMORAN_ARTIFACTS_UNIX" && pwd)
    export VELMORAN_ARTIFACTS="Z:${artifacts//\//\\}"
    # A test may ask for a locale (ja_JP.UTF-8 gives the Japanese code page 932).
    if [ -n "${VELMORAN_WINE_LANG:-}" ]; then
        export LANG=$VELMORAN_WINE_LANG LC_ALL=$VELMORAN_WINE_LANG
    fi
    exec "$WINE_BIN" "$@"
}

cmd=${1:-}
dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || die "usage: wine-session.sh start|stop|run DIR [PROGRAM ARGS...]"
dir=$(mkdir -p "$dir" && cd "$dir" && pwd)
case $cmd in
    start) start_session "$dir" ;;
    stop) stop_session "$dir" ;;
    run) shift 2; run_in_session "$dir" "$@" ;;
    *) die "unknown command $cmd" ;;
esac
