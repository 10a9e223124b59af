#!/usr/bin/env bash
# Builds the Debian package in Release into build-package/: the program, klingport-cli and
# klingport-sim with the menu entry, icon and metainfo. Install it with
#   sudo apt-get install ./build-package/klingport_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-package"
"$root/scripts/deps.sh" dpkg-dev
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DKLINGPORT_TESTS=OFF -DKLINGPORT_BENCH=OFF
cmake --build "$build"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build"
ls "$build"/klingport_*.deb
