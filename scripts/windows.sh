#!/usr/bin/env bash
# Cross-builds the Windows programs in Release with MinGW-w64 against a Qt for Windows (the prefix in
# KLINGPORT_QT_WINDOWS, by default ../shared/qt6-mingw beside this repository; scripts/qt-windows.sh
# builds one), and makes of them, in the build folder (default build-windows):
#   klingport-VERSION-windows/      the program folder that runs on a bare Windows 10 or 11,
#   klingport-VERSION-windows.zip   the same folder to unzip,
#   klingport-VERSION.msi           the installer: msiexec /i klingport-VERSION.msi /qn
# Further arguments go to CMake (CI adds the tests and Wine to run them).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build-windows}")"
shift || true
qt="$(realpath -m "${KLINGPORT_QT_WINDOWS:-$root/../shared/qt6-mingw}")"
if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  echo "No Qt for Windows in $qt: set KLINGPORT_QT_WINDOWS, or build one with scripts/qt-windows.sh" >&2
  exit 1
fi
"$root/scripts/deps.sh" g++-mingw-w64-x86-64-posix wixl librsvg2-bin icoutils
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DKLINGPORT_QT_WINDOWS="$qt" -DKLINGPORT_TESTS=OFF "$@"
cmake --build "$build"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
name="klingport-$version-windows"
folder="$build/$name"
rm -rf "$folder" "$folder.zip"
cmake --install "$build" --prefix "$folder" --strip
(cd "$build" && cmake -E tar cf "$name.zip" --format=zip "$name")
"$root/scripts/msi.sh" "$build" "$build/klingport-$version.msi"
ls -l "$folder.zip" "$build/klingport-$version.msi"
