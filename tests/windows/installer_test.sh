#!/usr/bin/env bash
# The installer under Wine, silently: it puts the programs, the Start-menu
# entries and the entry under Apps in place, the installed datadock.exe runs,
# and the uninstaller takes all of it away again. Twice: installed in English
# and taken away in Japanese, then the other way round, as when a user changes
# Windows' language in between (in_japanese, from scripts/wine-session.sh).
# Usage: installer_test.sh SETUP_EXE VERSION
# Needs WINEPREFIX (scripts/windows.sh prepares it and keeps its server warm).
set -uo pipefail
setup=$(realpath "$1") version=$2
: "${WINEPREFIX:?run through scripts/windows.sh, which prepares the Wine prefix}"
export WINEDEBUG=-all
dir=$WINEPREFIX/drive_c/Program\ Files/DataDock
win_dir='C:\Program Files\DataDock'
menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
shortcut=$menu/DATADOCK\ MANAGER.lnk
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\DataDock'
out=$(mktemp)
trap 'rm -f "$out"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# A Wine program with a time limit, its output (CR LF made LF) in $out: a
# file, which a process the program leaves behind cannot hold open as it
# could a pipe.
run() {
    timeout 60 wine "$@" </dev/null >"$out" 2>/dev/null
    local status=$?
    sed -i 's/\r$//' "$out"
    return $status
}

# Leftovers of an earlier run that stopped half-way would hide a fault.
rm -rf "$dir" "$menu"/DATADOCK*.lnk "$menu"/DataDock*.lnk
run reg delete "$key" /reg:64 /f

# As on an English Windows.
in_english() { "$@"; }

# install_language uninstall_language viewer_entry
install_and_uninstall() {
    local install_in=$1 uninstall_in=$2 viewer_entry=$3
    # Wine runs the installer in the process it starts, so this returns when the
    # installation has ended.
    $install_in run "$setup" /S || fail "the installer: exit status $?"
    for file in datadock-manager.exe datadock.exe datadock-viewer.exe README.txt uninstall.exe; do
        [ -f "$dir/$file" ] || fail "installed: no $file"
    done
    grep -qa 'datadock-manager.exe' "$shortcut" || fail "no Start-menu entry DATADOCK MANAGER"
    tr -d '\0' <"$menu/DATADOCK MANAGER (MODEL SAVE).lnk" | grep -qa -- -VARDO ||
        fail "the Start-menu entry for MODEL SAVE does not pass -VARDO"
    grep -qa 'datadock-viewer.exe' "$menu/$viewer_entry.lnk" ||
        fail "no Start-menu entry '$viewer_entry' for the log viewer"

    run reg query "$key" /reg:64 || fail "no uninstall key $key"
    bytes=$(cat "$dir"/* | wc -c)
    while IFS='|' read -r name expected; do
        value=$(sed -n "s/^ *$name *REG_[A-Z]* *//p" "$out")
        [ "$value" = "$expected" ] || fail "$name is '$value', expected '$expected'"
    done <<EOF
DisplayName|DataDock
DisplayIcon|$win_dir\\datadock-manager.exe
DisplayVersion|$version
Publisher|The DataDock developers
UninstallString|"$win_dir\\uninstall.exe"
QuietUninstallString|"$win_dir\\uninstall.exe" /S
NoModify|0x1
NoRepair|0x1
EstimatedSize|$(printf '0x%x' $((bytes / 1024)))
EOF

    run "$dir/datadock.exe" --version
    grep -qx "datadock $version (DATADOCK MANAGER)" "$out" || fail "datadock.exe --version: $(cat "$out")"

    # The uninstaller runs a copy of itself from the temporary folder and returns
    # at once; the folder goes last, once everything else is gone.
    $uninstall_in run "$dir/uninstall.exe" /S || fail "the uninstaller: exit status $?"
    for _ in $(seq 60); do [ -e "$dir" ] || break; sleep 0.5; done
    [ -e "$dir" ] && fail "uninstalled: the folder is still there: $(ls "$dir")"
    left=$(ls "$menu" | grep -E '^(DATADOCK|DataDock).*\.lnk$') &&
        fail "uninstalled: Start-menu entries left: $left"
    run reg query "$key" /reg:64 && fail "uninstalled: the uninstall key is still there"
}

install_and_uninstall in_english in_japanese "DataDock log viewer"
install_and_uninstall in_japanese in_english "DataDock ログビューアー"

[ "$failures" -eq 0 ] && echo "installer: silent install and uninstall checks passed"
exit $((failures > 0))
