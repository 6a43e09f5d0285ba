#!/usr/bin/env bash
# Shows which arithmetic the 32-bit renderer does its floats in: builds the
# win32 preset's renderer core and disassembles the frame timer, the fades
# and the spawn rule (FrameTimer::tick, FadeSprite, run_spawn_rule), counting
# x87 arithmetic (fadd, fsub, fmul, fdiv and their forms) against SSE scalar
# arithmetic (addss, subss, mulss, divss, addsd, ...). For comparison the
# frame timer is compiled once more without -msse2 -mfpmath=sse, the way the
# i686 build used to be.
#
#   bench/i686_float_arithmetic.sh
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)

cmake --preset win32 >/dev/null &&
    cmake --build --preset win32 -j2 --target renderer_core >/dev/null ||
    { echo "build failed" >&2; exit 2; }
objects=$root/build/win32/renderer/CMakeFiles/renderer_core.dir
objdump=i686-w64-mingw32-objdump
x87='^f(add|sub|subr|mul|div|divr)p?[sl]?$|^fi(add|sub|mul|div)'
sse='^(add|sub|mul|div|min|max|sqrt)s[sd]$|^cvt'

# count FILE: "x87=N sse=M" for the arithmetic instructions of an object file.
count() {
    "$objdump" -d --no-show-raw-insn "$1" | awk -F'\t' 'NF >= 2 { split($2, w, " "); print w[1] }' |
        awk -v x87="$x87" -v sse="$sse" '
            $1 ~ x87 { x++ } $1 ~ sse { s++ }
            END { printf "x87=%d sse=%d\n", x, s }'
}

echo "== i686 build as it is (flags: $(grep -o '\-msse2 -mfpmath=sse' cmake/toolchain-mingw32.cmake | head -n1))"
for source in frame_timer fade_sprite lightning; do
    printf '%-12s %s\n' "$source" "$(count "$objects/$source.cpp.obj")"
done

echo
echo "== FrameTimer::tick, i686 as built"
"$objdump" -d --no-show-raw-insn -C "$objects/frame_timer.cpp.obj" |
    awk '/<FrameTimer::tick\(\)>:/ { on = 1 } on && /^$/ { exit } on'

echo
echo "== the frame timer compiled without -msse2 -mfpmath=sse (the x87 build)"
x87_object=$(mktemp --suffix=.obj)
trap 'rm -f "$x87_object"' EXIT
i686-w64-mingw32-g++-posix -std=c++20 -O3 -DNDEBUG -c renderer/frame_timer.cpp -o "$x87_object"
printf '%-12s %s\n' frame_timer "$(count "$x87_object")"
"$objdump" -d --no-show-raw-insn -C "$x87_object" |
    awk '/<FrameTimer::tick\(\)>:/ { on = 1 } on && /^$/ { exit } on'
