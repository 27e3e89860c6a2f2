#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite twice: once plain, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then builds the Windows
# programs and runs their tests under Wine. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dev asan
export QT_QPA_PLATFORM=offscreen
ctest --preset dev
ctest --preset asan
scripts/windows.sh
