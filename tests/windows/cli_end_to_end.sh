#!/usr/bin/env bash
# datadock.exe under Wine against the native simulated logger, whose
# pseudo-terminal the Wine prefix maps to COM5: the files must be the bytes
# the Linux build writes, the update image the file, a pulled cable a failure
# within seconds, a second DataDock on a held port refused, Ctrl-C a cancel.
# Usage: cli_end_to_end.sh DATADOCK_EXE KTR90_SIM TEST_DATA_DIR
# Needs WINEPREFIX (scripts/windows.sh prepares it and keeps its server warm).
set -uo pipefail
exe=$(realpath "$1") sim=$(realpath "$2") data=$(realpath "$3")
: "${WINEPREFIX:?run through scripts/windows.sh, which prepares the Wine prefix}"
export WINEDEBUG=-all LC_ALL=C.UTF-8
native_datadock=$(dirname "$sim")/../cli/datadock
work=$(mktemp -d)
drive_c=$WINEPREFIX/drive_c
# A folder named in Japanese and with an accent: files go by UTF-16 names.
folder="データ é"
win_folder="C:\\$folder"
rm -rf "${drive_c:?}/$folder" && mkdir -p "$drive_c/$folder"
failures=0
sim_pid=

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
stop_sim() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null; sim_pid=; }
cleanup() { stop_sim; rm -rf "$work" "${drive_c:?}/$folder" "$WINEPREFIX/dosdevices/com5"; }
trap cleanup EXIT

# Starts the simulated logger (arguments: its options) and maps COM5 to it.
start_sim() {
    stop_sim
    mkfifo "$work/port"
    "$sim" "$@" >"$work/port" &
    sim_pid=$!
    read -r pty <"$work/port"
    rm -f "$work/port"
    ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
}

# Runs datadock.exe; its status in $status, its output in $work/out and err
# (with the CR LF line ends of a Windows console made LF).
datadock_exe() {
    (cd "$work" && wine "$exe" "$@" >"$work/out.crlf" 2>"$work/err.crlf")
    status=$?
    tr -d '\r' <"$work/out.crlf" >"$work/out"
    tr -d '\r' <"$work/err.crlf" >"$work/err"
}

expect_status() {  # expected what
    [ "$status" -eq "$1" ] || { fail "$2: exit status $status, expected $1"; cat "$work/out" "$work/err"; }
}

same_bytes() {  # file expected what
    cmp -s "$1" "$2" || fail "$3: $(basename "$1") differs from $(basename "$2")"
}

scenario=$data/normal_session.scenario

# The help offers the plot command, which this build draws.
datadock_exe --help
grep -q 'datadock plot' "$work/out" || fail "--help does not offer plot"

# With a Japanese interface language (Wine takes it from LC_ALL, also where
# the locale is not generated) the help is the Linux build's Japanese one, as
# UTF-8 down a pipe; --english gives the English bytes back.
in_japanese() { (export LC_ALL=ja_JP.UTF-8 && "$@") 2>/dev/null; }  # no locale warnings
in_japanese datadock_exe --help
in_japanese "$native_datadock" --help >"$work/linux_help"
same_bytes "$work/out" "$work/linux_help" "--help in Japanese"
in_japanese datadock_exe --english --help
"$native_datadock" --help >"$work/linux_help"
same_bytes "$work/out" "$work/linux_help" "--english --help"

# LOG SAVE: the golden files, which the Linux build's tests also check. A
# viewer asked for and missing is named, and the files are saved all the same.
start_sim --scenario "$scenario" --once
DATADOCK_VIEWER='C:\nowhere\viewer.exe' datadock_exe log-save --view --port COM5 \
    --lap "$win_folder\\lap.csv" --log "$win_folder\\log.csv"
expect_status 0 "log-save"
grep -qx "Completed to receive data!!" "$work/out" || fail "log-save: no completion message"
grep -qF 'C:\nowhere\viewer.exe (named by DATADOCK_VIEWER) was not found' "$work/err" ||
    fail "log-save --view: the missing viewer is not named"
same_bytes "$drive_c/$folder/lap.csv" "$data/golden/normal_lap.csv" "log-save"
same_bytes "$drive_c/$folder/log.csv" "$data/golden/normal_log.csv" "log-save"

# MODEL SAVE: the same bytes as the Linux build's command line writes.
start_sim --scenario "$scenario" --once
datadock_exe model-save --port COM5 --out "$win_folder\\model.csv"
expect_status 0 "model-save"
start_sim --scenario "$scenario" --once
"$native_datadock" model-save --port "$pty" --out "$work/linux_model.csv" >/dev/null 2>&1 ||
    fail "model-save: the Linux build failed"
same_bytes "$drive_c/$folder/model.csv" "$work/linux_model.csv" "model-save"

# SOFTWARE UPDATE: the logger receives the file line for line.
printf 'S00F000044415441444F434B\r\nS2140000000123ABCD00\r\n\r\nS214000010 spaces  kept \r\nS9030000FC\r\n' \
    >"$drive_c/$folder/update.dat"
start_sim --scenario "$scenario" --once --image-out "$work/image"
datadock_exe update --port COM5 "$win_folder\\update.dat"
expect_status 0 "update"
stop_sim
same_bytes "$work/image" "$drive_c/$folder/update.dat" "update"

# A pulled cable in the sample set: a failure within seconds, with the reason.
start_sim --scenario "$scenario" --fault HangUpAt@25
started=$SECONDS
datadock_exe log-save --port COM5 --lap "$win_folder\\lap2.csv" --log "$win_folder\\log2.csv"
expect_status 1 "pulled cable"
grep -qx "Failed to receive data." "$work/out" || fail "pulled cable: no failure message"
grep -q "stopped answering" "$work/err" || fail "pulled cable: no reason given"
[ $((SECONDS - started)) -le 8 ] || fail "pulled cable: took $((SECONDS - started)) s"

# A port held by one DataDock is refused to another, and Ctrl-C cancels.
start_sim --scenario "$scenario" --fault IgnoreHandshake
(cd "$work" && exec wine "$exe" model-save --port COM5 --out 'C:\held.csv' >/dev/null 2>&1) &
holder=$!
sleep 2
datadock_exe model-save --port COM5 --out "$win_folder\\second.csv"
expect_status 4 "second DataDock"
grep -q "in use" "$work/err" || fail "second DataDock: no reason given"
kill -INT "$holder"
wait "$holder"
status=$?
expect_status 2 "Ctrl-C"

[ "$failures" -eq 0 ] && echo "all Windows command-line checks passed"
exit $((failures > 0))
