#!/usr/bin/env bash
# Builds and runs bench/command_button_timing.cpp under Wine in a private
# session that it removes again afterwards: the time of one repaint of the
# Command button and the CPU its idle hover timer takes.
#
#   bench/command_button_timing.sh [IDLE_SECONDS]      60 by default
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
cmake --preset win64 >/dev/null &&
    cmake --build --preset win64 -j2 --target command_button_timing >/dev/null || exit 2
session=$(pwd)/build/bench-command-session
trap 'cmake/wine-session.sh stop "$session"' EXIT
cmake/wine-session.sh start "$session" || exit 2
cmake/wine-session.sh run "$session" build/win64/bin/command_button_timing.exe "${1:-60}"
