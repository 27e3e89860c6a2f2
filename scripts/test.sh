#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite twice: once plain (with the
# fault matrix, label `faults`), once under AddressSanitizer and
# UndefinedBehaviorSanitizer; then builds the Windows programs and runs their
# tests under Wine, and runs every fuzz target for a short time. Fails when
# any test fails or fuzzing finds a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dev asan
export QT_QPA_PLATFORM=offscreen
ctest --preset dev --label-exclude faults
ctest --preset dev --label-regex faults --parallel 3
ctest --preset asan
scripts/windows.sh
scripts/fuzz.sh
