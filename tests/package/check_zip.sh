#!/usr/bin/env bash
# The zip archive of one architecture holds exactly what a user unpacks and
# installs: the two programs as built, for that architecture, side by side;
# the README and the licence as text files Notepad shows right (UTF-8 with
# its byte order mark, CR LF line ends). The archive itself tests whole.
#
#   check_zip.sh ZIP PROGRAM_FOLDER ARCH SOURCE_DIR WORK_DIR
set -u
zip=$1 programs=$2 arch=$3 source=$4 work=$5
# shellcheck source=tests/package/check_helpers.sh
. "$(dirname "$0")/check_helpers.sh"

command -v unzip >/dev/null || { echo "FAIL: unzip is not installed"; exit 1; }
[ -f "$zip" ] || { echo "FAIL: no archive $zip"; exit 1; }
rm -rf "$work"
mkdir -p "$work"

check "the archive tests whole" unzip -tqq "$zip"
expect_equal "the archive holds the programs, the README and the licence, side by side" \
    "$(printf '%s\n' LICENSE.txt README.txt Velmoran.dll Velmoran.scr)" \
    "$(unzip -Z1 "$zip" | LC_ALL=C sort)"

unzip -qq "$zip" -d "$work/unpacked"
for program in Velmoran.scr Velmoran.dll; do
    check "$program is the program as built" cmp -s "$programs/$program" "$work/unpacked/$program"
    expect_equal "$program is a program for $arch" "$(machine_of "$arch")" \
        "$(pe_machine "$work/unpacked/$program")"
done

# The text without its byte order mark and carriage returns.
plain() { tail -c +4 "$1" | tr -d '\r'; }
has_bom() { [ "$(head -c 3 "$1" | od -An -t x1 | tr -d ' ')" = efbbbf ]; }
# Every line ends in CR LF: as many CRs as LFs, each right before one.
crlf_only() {
    local lines
    lines=$(tr -cd '\n' <"$1" | wc -c)
    [ "$lines" -gt 0 ] && [ "$(tr -cd '\r' <"$1" | wc -c)" = "$lines" ] &&
        [ "$(grep -c $'\r$' "$1")" = "$lines" ]
}

readme=$work/unpacked/README.txt
licence=$work/unpacked/LICENSE.txt
check "README.txt starts with the UTF-8 byte order mark" has_bom "$readme"
check "README.txt ends its lines with CR LF" crlf_only "$readme"
expect_equal "README.txt is the README" "$(cat "$source/README.md")" "$(plain "$readme")"
check "LICENSE.txt starts with the UTF-8 byte order mark" has_bom "$licence"
check "LICENSE.txt ends its lines with CR LF" crlf_only "$licence"
expect_equal "LICENSE.txt starts with the project's MIT licence" "$(cat "$source/LICENSE")" \
    "$(plain "$licence" | head -n "$(wc -l <"$source/LICENSE")")"
check "LICENSE.txt gives the licence of the runtime linked into the programs" \
    grep -q 'winpthreads' "$licence"
finish
