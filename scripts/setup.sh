#!/usr/bin/env bash
# Installs what building and testing DataDock needs on Debian 12, then
# configures and builds the given CMake presets. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

# A Japanese font, so that the window's tests measure and show Japanese
# glyphs rather than boxes.
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev
          qt6-base-dev qt6-base-private-dev qt6-svg-dev libgl-dev fonts-dejavu-core
          fonts-ipafont-gothic libbenchmark-dev dpkg-dev file lintian)

# The Windows programs: the cross-compiler, Wine with a display and a
# Japanese font and locale for their tests, and NSIS for the installer.
windows_packages=(g++-mingw-w64-x86-64-posix wine wine64 xvfb fonts-ipafont-gothic nsis locales)
if [[ " $* " == *" windows "* ]]; then
    packages+=("${windows_packages[@]}")
fi
# The fuzz targets need clang and its libFuzzer runtime.
if [[ " $* " == *" fuzz "* ]]; then
    packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

for preset in "$@"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
