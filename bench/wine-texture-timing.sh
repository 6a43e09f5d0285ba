#!/usr/bin/env bash
# Builds and runs bench/texture_build_timing.cpp under Wine in a private
# session (display, prefix, wineserver) that it removes again afterwards.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
cmake --preset win64 >/dev/null && cmake --build --preset win64 -j2 --target texture_build_timing >/dev/null || exit 2
session=$(pwd)/build/bench-wine-session
trap 'cmake/wine-session.sh stop "$session"' EXIT
cmake/wine-session.sh start "$session" || exit 2
cmake/wine-session.sh run "$session" build/win64/bin/texture_build_timing.exe
