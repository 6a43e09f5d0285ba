#!/usr/bin/env bash
# The peak memory of bmp2ppm (the renderer's own decoder behind a tiny
# command) on each file of the crafted table (bench/crafted_bmps.py): huge
# claims must be refused before anything is allocated, pictures at the caps
# decode. Prints one row per file: its size, its claim, bmp2ppm's verdict,
# its peak resident memory and its time. With a second bmp2ppm (for example
# one built from an older revision) the same columns follow for it.
#
#   bench/crafted_bmp_memory.sh [OTHER_BMP2PPM]
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)
other=${1:-}

cmake --preset linux >/dev/null && cmake --build --preset linux -j2 --target bmp2ppm >/dev/null ||
    { echo "build failed" >&2; exit 2; }
work=$root/build/bench-crafted
rm -rf "$work"
mkdir -p "$work"
python3 bench/crafted_bmps.py "$work" >"$work/table.txt" || exit 2

# measure BMP2PPM FILE: "verdict|peak MiB|seconds" of one decode, written to /dev/null.
measure() {
    python3 - "$1" "$2" <<'PY'
import os, resource, subprocess, sys, time
start = time.monotonic()
child = subprocess.Popen([sys.argv[1], sys.argv[2], "/dev/null"], stderr=subprocess.PIPE)
_, status, usage = os.wait4(child.pid, 0)
elapsed = time.monotonic() - start
text = child.stderr.read().decode(errors="replace").strip()
code = os.waitstatus_to_exitcode(status)
verdict = "decodes" if code == 0 else (text if code == 1 else f"exit {code} {text}")
verdict = verdict.replace(sys.argv[2], "FILE")
print(f"{verdict}|{usage.ru_maxrss / 1024:.1f}|{elapsed:.2f}")
PY
}

bin=$root/build/linux/tools/bmp2ppm/bmp2ppm
header="| file | bytes | claim | expected | bmp2ppm | peak MiB | s |"
[ -n "$other" ] && header="$header other bmp2ppm | peak MiB | s |"
echo "$header"
while IFS=$'\t' read -r name bytes claim expected; do
    row="| $name | $bytes | $claim | $expected | $(measure "$bin" "$work/$name" | sed 's/|/ | /g') |"
    [ -n "$other" ] && row="$row $(measure "$other" "$work/$name" | sed 's/|/ | /g') |"
    echo "$row"
done <"$work/table.txt"
