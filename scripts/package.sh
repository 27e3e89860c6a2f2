#!/usr/bin/env bash
# Installs what building needs, builds the release programs and makes the
# Debian package build/release/datadock_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset package
ls build/release/datadock_*.deb
