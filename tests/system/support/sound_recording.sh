# Sourced by the checks that listen to the test session's null audio sink:
# recording its monitor and judging the recordings with sox.

# A Linux path as a Windows program names it (Wine maps Z: to /).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

rate=44100
# record SECONDS FILE: what the null sink plays from now on.
record() {
    parec -d nullsink.monitor --latency-msec=20 --raw --format=s16le --rate=$rate --channels=2 2>/dev/null |
        head -c "$(awk -v s="$1" -v r=$rate 'BEGIN { printf "%d", int(s * r) * 4 }')" >"$2"
}
# sox's statistics of the left channel (recordings are 16-bit stereo).
stat_of() { sox -t raw -r $rate -e signed -b 16 -c 2 "$1" -n remix 1 stat 2>&1; }
value() { stat_of "$2" | awk -v key="$1" -F: '$1 ~ key { gsub(/ /, "", $2); print $2 }'; }

# silences FILE: the lengths in ms of the silent stretches (10 ms blocks whose
# peak is below 1% of full scale) that have sound on both sides.
silences() {
    sox -t raw -r $rate -e signed -b 16 -c 2 "$1" -t dat - remix 1 2>/dev/null | awk '
        /^;/ { next }
        { block = int($1 * 100); v = $2 < 0 ? -$2 : $2; if (v > peak[block]) peak[block] = v; last = block }
        END {
            run = 0; heard = 0
            for (b = 0; b <= last; b++) {
                if (peak[b] >= 0.01) { if (heard && run > 0) printf "%d ", run * 10; heard = 1; run = 0 }
                else if (heard) run++
            }
        }'
}
