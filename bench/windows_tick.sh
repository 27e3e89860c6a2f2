#!/usr/bin/env bash
# LOG SAVE by datadock.exe under Wine, once plain and once with Windows' timer
# tick emulated (every bare sleep ends on the next 15.625 ms tick), against
# the native simulated logger on a line paced at 115200 baud with the cable's
# latency. Prints the time of each and the sleeps the program made: a port
# that waits on the driver sleeps only in the program's own pauses, and takes
# about as long with the tick as without.
# Usage: bench/windows_tick.sh [TICK_SOURCE] [LATENCY_MS] [SEED]
# TICK_SOURCE is the tick preload's source (default ../shared/tools/wine/
# windows_tick.c). Needs build/windows and build/dev (scripts/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tick_source=$(realpath "${1:-../shared/tools/wine/windows_tick.c}")
latency=${2:-1} seed=${3:-5}
exe=$PWD/build/windows/cli/datadock.exe sim=$PWD/build/dev/sim/ktr90-sim
work=$(mktemp -d)
source scripts/wine-session.sh
trap 'stop_wine_session; rm -rf "$work" "$WINEPREFIX/dosdevices/com5"' EXIT
cc -O2 -shared -fPIC -o "$work/libwindows_tick.so" "$tick_source" -ldl

# One LOG SAVE against a fresh simulated logger; prints its wall time in s.
log_save() {  # preload(or empty)
    mkfifo "$work/port"
    "$sim" --seed "$seed" --baud 115200 --latency-ms "$latency" --once >"$work/port" &
    read -r pty <"$work/port"
    rm -f "$work/port"
    ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
    local start end
    start=$(date +%s.%N)
    (cd "$work" && LD_PRELOAD=$1 WINDOWS_TICK_COUNT=$work/sleeps \
        wine "$exe" log-save --port COM5 --lap 'C:\bench_lap.csv' --log 'C:\bench_log.csv' \
        >"$work/out" 2>&1) || cat "$work/out" >&2
    end=$(date +%s.%N)
    wait
    echo "$start $end" | awk '{printf "%.2f", $2 - $1}'
}

plain=$(log_save "")
rm -f "$work/sleeps"
ticked=$(log_save "$work/libwindows_tick.so")
samples=$(($(wc -l <"$WINEPREFIX/drive_c/bench_log.csv") - 2))
# A process that never slept writes no count.
touch "$work/sleeps"
sleeps=$(awk 'BEGIN { m = 0 } $2 > m { m = $2 } END { print m }' "$work/sleeps")
rm -f "$WINEPREFIX/drive_c/bench_lap.csv" "$WINEPREFIX/drive_c/bench_log.csv"
echo "LOG SAVE of $samples samples, cable latency $latency ms"
echo "plain Wine:        $plain s"
echo "with the tick:     $ticked s"
echo "sleeps (the most any process of the run made): $sleeps"
