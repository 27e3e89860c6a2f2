#!/usr/bin/env bash
# Builds the Windows programs (datadock-manager.exe, datadock.exe) with
# mingw-w64, runs their tests under Wine and packs them into
# build/windows/DataDock-<version>-windows-x64.zip. Installs what it needs
# (through scripts/setup.sh). Then builds the installer
# build/windows/DataDock-<version>-windows-x64-setup.exe and installs and
# uninstalls it silently in the Wine prefix.
# The end-to-end tests talk to the native simulated logger of build/dev.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# What the Windows build needs, then the Windows programs and their tests.
scripts/setup.sh windows
# The native simulated logger and command line, which the Windows tests use.
[ -f build/dev/CMakeCache.txt ] || cmake --preset dev >/dev/null
cmake --build --preset dev --target ktr90-sim datadock

# One private Wine prefix in the build folder, one display, one server kept
# warm for the whole run. The server starts first, from this shell (never a
# session leader, so it cannot take the simulated logger's pseudo-terminal as
# its controlling terminal), with its standard streams away from any pipe.
export WINEPREFIX=$root/build/windows/wineprefix WINEDEBUG=-all WINEARCH=win64
mkdir -p "$WINEPREFIX"
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
stop_all() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$displayfile"
}
trap stop_all EXIT
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$displayfile")
(wineserver -f -p </dev/null >/dev/null 2>&1 &)
# Booting starts the prefix's helper processes here, with their standard
# streams on /dev/null too: started by the first test instead, they would hold
# CTest's output pipe open and hang it.
if [ -f "$WINEPREFIX/system.reg" ]; then
    wineboot </dev/null >/dev/null 2>&1
else
    echo "Creating the Wine prefix (once)"
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i </dev/null >/dev/null 2>&1
    # Japanese texts in the window's font, as on a Japanese Windows; windows
    # of their own on a display without a window manager, which Wine would
    # otherwise wait for at every window.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ \
        /d IPAPGothic /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null 2>&1
fi

ctest --preset windows

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
package=DataDock-$version-windows-x64
staging=build/windows/$package
rm -rf "$staging" "build/windows/$package.zip"
mkdir -p "$staging"
cp build/windows/app/win32/datadock-manager.exe build/windows/cli/datadock.exe "$staging/"
sed 's/$/\r/' res/windows-readme.txt >"$staging/README.txt"
(cd build/windows && cmake -E tar cf "$package.zip" --format=zip "$package")
echo "Windows package: build/windows/$package.zip"

# The installer, of the same files, and its silent install and uninstall.
makensis -V2 -WX -DVERSION="$version" -DPROGRAMS="$root/$staging" \
    -DOUTFILE="$root/build/windows/$package-setup.exe" res/windows-installer.nsi
tests/windows/installer_test.sh "build/windows/$package-setup.exe" "$version"
echo "Windows installer: build/windows/$package-setup.exe"
