#!/usr/bin/env bash
# Sets up and builds DataDock, then starts the window on the simulated
# KTR-90 logger. Extra arguments go to the window (e.g. -VARDO).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dev
exec scripts/with-simulator.sh build/dev "$@"
