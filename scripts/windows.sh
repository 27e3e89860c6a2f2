#!/usr/bin/env bash
# Builds the Windows programs (datadock-manager.exe, datadock.exe,
# datadock-viewer.exe) with
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

source scripts/wine-session.sh

ctest --preset windows

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
package=DataDock-$version-windows-x64
staging=build/windows/$package
rm -rf "$staging" "build/windows/$package.zip"
mkdir -p "$staging"
cp build/windows/app/win32/datadock-manager.exe build/windows/cli/datadock.exe \
    build/windows/viewer/win32/datadock-viewer.exe "$staging/"
sed 's/$/\r/' res/windows-readme.txt >"$staging/README.txt"
(cd build/windows && cmake -E tar cf "$package.zip" --format=zip "$package")
echo "Windows package: build/windows/$package.zip"

# The installer, of the same files, and its silent install and uninstall.
makensis -V2 -WX -DVERSION="$version" -DPROGRAMS="$root/$staging" \
    -DOUTFILE="$root/build/windows/$package-setup.exe" res/windows-installer.nsi
tests/windows/installer_test.sh "build/windows/$package-setup.exe" "$version"
echo "Windows installer: build/windows/$package-setup.exe"
