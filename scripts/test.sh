#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite twice: once plain (with the
# fault matrix, label `faults`), once under AddressSanitizer and
# UndefinedBehaviorSanitizer, each under another language that is not
# Japanese; then builds the Windows programs and runs their
# tests under Wine, and runs every fuzz target for a short time. Fails when
# any test fails or fuzzing finds a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dev asan
export QT_QPA_PLATFORM=offscreen
# The suites check the English texts byte for byte; each runs under another
# language that is not Japanese (German, C, none), which must change nothing.
# The tests of the Japanese texts choose their language themselves.
unset LANGUAGE LC_ALL LC_MESSAGES
LANG=de_DE.UTF-8 ctest --preset dev --label-exclude faults
LC_ALL=C ctest --preset dev --label-regex faults --parallel 3
env -u LANG ctest --preset asan
scripts/windows.sh
scripts/fuzz.sh
