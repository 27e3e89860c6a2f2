#!/usr/bin/env bash
# The Win32 window at 96, 120, 144 and 192 DPI (the prefix's LogPixels, as a
# user's display scale of 100 to 200 %): each run checks that every text fits
# its control and leaves screenshots of the idle and transfer layouts (in
# English and in Japanese), of the Japanese completion box, and of
# the log viewer with the golden log, in SCREENSHOT_DIR. The prefix is put back to 96 DPI at the end.
# Usage: dpi_screenshots.sh DATADOCK_TESTS_EXE SCREENSHOT_DIR
set -uo pipefail
exe=$1 folder=$2
: "${WINEPREFIX:?run through scripts/windows.sh, which prepares the Wine prefix}"
mkdir -p "$folder"
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1
}
trap 'set_dpi 96' EXIT
failures=0
for dpi in 96 120 144 192; do
    set_dpi "$dpi"
    DATADOCK_EXPECT_DPI=$dpi DATADOCK_SCREENSHOT_DIR="Z:${folder//\//\\}" \
        wine "$exe" --gtest_filter='*EveryTextFitsAtTheDisplaysScale:*InJapaneseTheMenuAndTheCompletionBox*:*ListsTheLapsZoomsToOneAndOverlaysTwo:*ListsTheLapsUnderJapaneseHeadersAndMenus' --gtest_brief=1 \
        </dev/null || { echo "FAIL at $dpi dpi"; failures=$((failures + 1)); }
done
exit "$failures"
