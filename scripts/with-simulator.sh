#!/usr/bin/env bash
# Starts the simulated KTR-90 logger, offers its port to the window through
# DATADOCK_EXTRA_PORTS, runs the window and stops the logger when it closes.
# Without a display it runs a transfer from the command line instead and, on a
# terminal, keeps the logger running until Enter so the commands shown work.
# Usage: with-simulator.sh BUILD_DIR [window arguments...]
set -euo pipefail
bin=$1
shift

fifo=$(mktemp -u)
mkfifo "$fifo"
"$bin/sim/ktr90-sim" --seed 7 >"$fifo" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r port <"$fifo"
export DATADOCK_EXTRA_PORTS="$port"
echo "Simulated KTR-90 logger on $port"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" = "" ]; then
    cat <<TXT
There is no display here, so the window cannot open. The same transfers from
the command line, on this simulated logger:

  DATADOCK_EXTRA_PORTS=$port $bin/cli/datadock ports
  $bin/cli/datadock log-save --port $port --lap lap.csv --log log.csv

Running the first transfer now:
TXT
    "$bin/cli/datadock" log-save --port "$port" --lap "${TMPDIR:-/tmp}/datadock_demo_lap.csv" \
        --log "${TMPDIR:-/tmp}/datadock_demo_log.csv" || true
    echo "Files: ${TMPDIR:-/tmp}/datadock_demo_lap.csv ${TMPDIR:-/tmp}/datadock_demo_log.csv"
    # The port printed above lives only as long as the simulator does.
    if [ -t 0 ]; then
        echo
        echo "The simulated logger keeps answering on $port: try the commands above"
        echo "in another terminal. Press Enter here to stop it."
        read -r _ || true
    fi
    exit 0
fi
"$bin/app/qt/datadock-manager" "$@"
