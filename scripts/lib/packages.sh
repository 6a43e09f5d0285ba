# Debian packages the project builds, tests and runs with. Sourced by
# scripts/test and scripts/run; installs only what is missing.

VELMORAN_PACKAGES=(
    # native build, unit tests, tools and benchmarks
    cmake ninja-build g++ pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libosmesa6-dev libglu1-mesa-dev libstb-dev
    # fuzzing: clang with libFuzzer and the sanitizer runtimes
    clang libclang-rt-14-dev
    # cross-compilers for both programs (posix thread model)
    mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    # running and driving the programs: Wine on a private X display
    wine64 xvfb xauth libgl1-mesa-dri xdotool imagemagick
    util-linux procps
    # a display of two monitors whose modes really switch: Xorg with the dummy driver
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
    # Japanese text in the user interface
    fonts-ipafont-gothic locales
    # music under Wine: a null sound output, MP3 decoding, and checking what played
    pulseaudio pulseaudio-utils gstreamer1.0-plugins-good sox
    # the release packages: Windows Installer packages and zip archives, and their checks
    wixl msitools zip unzip
    # the Linux hack: X11 and GLX to build it, XScreenSaver's grabber to run
    # it, Debian's tools to package and check it
    libx11-dev libxrandr-dev libgl-dev xscreensaver xscreensaver-data xscreensaver-gl
    dpkg-dev lintian
)

velmoran_missing_packages() {
    local package status
    for package in "${VELMORAN_PACKAGES[@]}"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)
        [ "$status" = "install ok installed" ] || echo "$package"
    done
}

# Installs whatever is missing; prints what it installs. Needs root.
velmoran_install_packages() {
    local missing
    mapfile -t missing < <(velmoran_missing_packages)
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "These Debian packages are missing; run this as root to install them." >&2
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null || return 1
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}
