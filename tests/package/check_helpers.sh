# Shell helpers for the checks of the release packages. Source it; it defines:
#   check DESCRIPTION COMMAND...   runs the command; prints ok or FAIL, counts failures
#   expect_equal DESCRIPTION EXPECTED ACTUAL
#   pe_machine FILE                the machine type of a Windows program (8664 x64, 014c x86)
#   finish                         exits 1 when any check failed
failures=0

check() {
    local description=$1
    shift
    if "$@"; then
        echo "ok: $description"
    else
        echo "FAIL: $description"
        failures=$((failures + 1))
    fi
}

expect_equal() {
    if [ "$2" = "$3" ]; then
        echo "ok: $1"
    else
        echo "FAIL: $1"
        echo "  expected: $(printf '%s' "$2" | head -c 600)"
        echo "  actual:   $(printf '%s' "$3" | head -c 600)"
        failures=$((failures + 1))
    fi
}

# The PE header's machine field, as four hex digits.
pe_machine() {
    local pe_offset
    pe_offset=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$pe_offset" ] || return 1
    [ "$(od -An -c -j "$pe_offset" -N 4 "$1" | tr -d ' ')" = 'PE\0\0' ] || return 1
    od -An -t x2 -j $((pe_offset + 4)) -N 2 "$1" | tr -d ' '
}

# The machine type the programs of an architecture carry.
machine_of() {
    case $1 in x64) echo 8664 ;; x86) echo 014c ;; esac
}

finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures checks failed"
        exit 1
    fi
    echo "all checks passed"
}
