#!/usr/bin/env bash
# The Windows Installer package of one architecture, read back from its
# tables with msitools: a per-machine package for that architecture, named
# with the product's name, version and publisher; both programs as built,
# in the architecture's system folder; nothing in a place users can write
# to, to be removed or made by the installer; an upgrade that replaces
# an earlier version and refuses to go back to one; the product's icon.
#
#   check_msi.sh MSI PROGRAM_FOLDER ARCH VERSION UPGRADE_CODE PUBLISHER SOURCE_DIR WORK_DIR
set -u
msi=$1 programs=$2 arch=$3 version=$4 upgrade_code=$5 publisher=$6 source=$7 work=$8
# shellcheck source=tests/package/check_helpers.sh
. "$(dirname "$0")/check_helpers.sh"

command -v msiinfo >/dev/null || { echo "FAIL: msitools is not installed"; exit 1; }
[ -f "$msi" ] || { echo "FAIL: no package $msi"; exit 1; }
rm -rf "$work"
mkdir -p "$work"

# A table's rows, tab-separated, without its three header lines, sorted.
rows() { msiinfo export "$msi" "$1" | tail -n +4 | tr -d '\r' | LC_ALL=C sort; }
# Columns of a table's rows (awk field numbers), tab-separated.
columns() {
    local table=$1
    shift
    rows "$table" | awk -F'\t' -v OFS='\t' -v list="$*" \
        'BEGIN { n = split(list, c, " ") } { line = $c[1]; for (i = 2; i <= n; i++) line = line OFS $c[i]; print line }'
}
property() { rows Property | awk -F'\t' -v name="$1" '$1 == name { print $2 }'; }
summary() { msiinfo suminfo "$msi" | sed -n "s/^$1: //p"; }
tab=$'\t'

case $arch in
    x64) template='x64;1033' system_folder=System64Folder component_bits=256 ;;
    x86) template='Intel;1033' system_folder=SystemFolder component_bits=0 ;;
esac

expect_equal "the package is for $arch" "$template" "$(summary Template)"
expect_equal "the product is Velmoran" Velmoran "$(property ProductName)"
expect_equal "its version is the project's" "$version" "$(property ProductVersion)"
expect_equal "its publisher" "$publisher" "$(property Manufacturer)"
expect_equal "its upgrade code is the one of the $arch product line" "{$upgrade_code}" \
    "$(property UpgradeCode)"
check "its product code is a code of its own" \
    bash -c '[[ $1 =~ ^\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}$ && $1 != $2 ]]' _ \
    "$(property ProductCode)" "{$upgrade_code}"
expect_equal "it installs for every user of the machine" 1 "$(property ALLUSERS)"
expect_equal "the installed-programs list shows its icon" Velmoran.ico "$(property ARPPRODUCTICON)"

# Both programs, in the architecture's system folder, and nowhere else.
expect_equal "the programs' folder is the $arch system folder" \
    "$system_folder${tab}TARGETDIR${tab}." "$(rows Directory | grep "^$system_folder$tab")"
expect_equal "one component a program, in that folder, for $arch" \
    "$(printf 'Renderer\t%s\t%s\tVelmoranDll\nScreensaver\t%s\t%s\tVelmoranScr' \
        "$system_folder" "$component_bits" "$system_folder" "$component_bits")" \
    "$(columns Component 1 3 4 6)"
expect_equal "the files are the two programs, with their version" \
    "$(printf 'VelmoranDll\tRenderer\tVelmoran.dll\t%s\t%s.0\nVelmoranScr\tScreensaver\tVelmoran.scr\t%s\t%s.0' \
        "$(stat -c %s "$programs/Velmoran.dll")" "$version" \
        "$(stat -c %s "$programs/Velmoran.scr")" "$version")" \
    "$(columns File 1 2 3 4 5)"
msiextract -C "$work/files" "$msi" >/dev/null
expect_equal "the package holds the two programs" "$(printf 'Velmoran.dll\nVelmoran.scr')" \
    "$(ls "$work/files" | LC_ALL=C sort)"
for program in Velmoran.scr Velmoran.dll; do
    check "$program is the program as built" cmp -s "$programs/$program" "$work/files/$program"
    expect_equal "$program is a program for $arch" "$(machine_of "$arch")" \
        "$(pe_machine "$work/files/$program")"
done

# Nothing in a place users can write to: the installer, which runs as the
# system, removes no file and makes no folder but the programs' own.
expect_equal "the only folders are the target and the system folder" \
    "$(printf '%s\n' "$system_folder" TARGETDIR | LC_ALL=C sort)" "$(columns Directory 1)"
for table in RemoveFile CreateFolder MoveFile DuplicateFile; do
    if msiinfo tables "$msi" | grep -qx "$table"; then
        expect_equal "the $table table is empty" "" "$(rows "$table")"
    fi
done
check "no property names the old shared folder" \
    bash -c '! grep -qi q_velk <<<"$1"' _ "$(rows Property)"

# The upgrade: an earlier version of the same line is found and removed
# before the files go in; a later one stops the install.
expect_equal "earlier versions are found to be replaced, later ones to refuse" \
    "$(printf '{%s}\t\t%s\t1\tWIX_UPGRADE_DETECTED\n{%s}\t%s\t\t2\tWIX_DOWNGRADE_DETECTED' \
        "$upgrade_code" "$version" "$upgrade_code" "$version")" \
    "$(columns Upgrade 1 2 3 5 7)"
expect_equal "a later version installed stops the install" "NOT WIX_DOWNGRADE_DETECTED" \
    "$(columns LaunchCondition 1)"
sequence_of() { rows InstallExecuteSequence | awk -F'\t' -v action="$1" '$1 == action { print $3 }'; }
check "the earlier version is removed after the install is validated, before it starts" \
    bash -c '[ "$1" -gt "$2" ] && [ "$1" -lt "$3" ] && [ "$4" -lt "$2" ]' _ \
    "$(sequence_of RemoveExistingProducts)" "$(sequence_of InstallValidate)" \
    "$(sequence_of InstallInitialize)" "$(sequence_of FindRelatedProducts)"

msiinfo extract "$msi" Icon.Velmoran.ico >"$work/icon.ico"
check "the product's icon is the program's" cmp -s "$source/resources/Velmoran.ico" "$work/icon.ico"
finish
