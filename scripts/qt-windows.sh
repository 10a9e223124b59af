#!/usr/bin/env bash
# Builds the Qt for Windows that scripts/windows.sh needs, for anyone without a ready one: Qt 6.4.2
# (qtbase from Debian's own source package, and Qt Serial Port), cross-built with Debian's MinGW-w64 as
# Release DLLs, with Debian's Qt 6.4.2 as the host tools. About an hour on 2 cores.
#   scripts/qt-windows.sh [CACHE]     (default ~/.cache/klingport/qt6-mingw)
# then: KLINGPORT_QT_WINDOWS=CACHE/prefix scripts/windows.sh
# Sources already at hand skip the downloads: QTBASE_TARBALL (Debian's qt6-base_6.4.2+dfsg.orig.tar.xz) and
# QTSERIALPORT_TARBALL (qtserialport-everywhere-src-6.4.2.tar.xz; ../shared/qt6-mingw has one).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="$(realpath -m "${1:-$HOME/.cache/klingport/qt6-mingw}")"
prefix="$cache/prefix"
version=6.4.2
triple=x86_64-w64-mingw32
jobs="${JOBS:-$(nproc)}"
"$root/scripts/deps.sh" g++-mingw-w64-x86-64-posix dpkg-dev libwine-dev curl xz-utils perl python3
mkdir -p "$cache/src"
cd "$cache/src"

# qtbase: Debian's source of the same version as the host tools.
if [ ! -d qtbase ]; then
  tarball="${QTBASE_TARBALL:-}"
  if [ -z "$tarball" ]; then
    grep -rqs '^deb-src\|^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/ ||
      { echo "apt-get source needs deb-src in the apt sources, or give QTBASE_TARBALL" >&2; exit 1; }
    apt-get source --download-only qt6-base="$version*"
    tarball="$(ls qt6-base_"$version"*.orig.tar.xz)"
  fi
  mkdir qtbase && tar -xJf "$tarball" -C qtbase --strip-components=1
  # Debian's tarball leaves out the tablet headers the windows platform plugin includes; Wine's
  # (LGPL, from libwine-dev) stand in, with the two macros only Wine defines.
  wintab=qtbase/src/3rdparty/wintab
  mkdir -p "$wintab"
  cp /usr/include/wine/wine/windows/wintab.h "$wintab/wine_wintab.h"
  cp /usr/include/wine/wine/windows/pktdef.h "$wintab/pktdef.h"
  cat > "$wintab/wintab.h" <<'SHIM'
#pragma once
#include <windows.h>
#ifndef WINELIB_NAME_AW
# ifdef UNICODE
#  define WINELIB_NAME_AW(func) func##W
# else
#  define WINELIB_NAME_AW(func) func##A
# endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
# define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#ifndef API
# define API WINAPI
#endif
#include "wine_wintab.h"
SHIM
fi
shared_serialport="$root/../shared/qt6-mingw/qtserialport-everywhere-src-$version.tar.xz"
# The Qt Serial Port source that ../shared/qt6-mingw was built from; a download or a tarball at hand must
# be the same bytes.
serialport_sha256=fb98dc5a4a4aef663510adc3e488e03383c0dbbca45e93c6a674e49eeab501c5
if [ ! -d qtserialport ]; then
  tarball="${QTSERIALPORT_TARBALL:-}"
  [ -z "$tarball" ] && [ -f "$shared_serialport" ] && tarball="$shared_serialport"
  if [ -z "$tarball" ]; then
    tarball=qtserialport.tar.xz
    curl -fL -o "$tarball" \
      "https://download.qt.io/archive/qt/6.4/$version/submodules/qtserialport-everywhere-src-$version.tar.xz"
  fi
  summe="$(sha256sum "$tarball" | cut -d' ' -f1)"
  if [ "$summe" != "$serialport_sha256" ]; then
    echo "$tarball has the SHA-256 $summe, not $serialport_sha256: not the Qt Serial Port $version source" >&2
    exit 1
  fi
  mkdir qtserialport && tar -xJf "$tarball" -C qtserialport --strip-components=1
fi

cmake -S qtbase -B "$cache/build-qtbase" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_dbus=OFF \
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_jpeg=OFF -DFEATURE_zstd=OFF \
  -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
  `# Without Direct2D 6.4.2 leaves out the DirectWrite font engine, and PrintSupport fails to link.` \
  -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_png=ON -DFEATURE_system_png=OFF -DFEATURE_freetype=ON \
  -DFEATURE_system_freetype=OFF -DFEATURE_harfbuzz=ON -DFEATURE_system_harfbuzz=OFF -DFEATURE_pcre2=ON \
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
cmake --build "$cache/build-qtbase" --parallel "$jobs"
cmake --install "$cache/build-qtbase"

cmake -S qtserialport -B "$cache/build-qtserialport" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DKLINGPORT_QT_WINDOWS="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
cmake --build "$cache/build-qtserialport" --parallel "$jobs"
cmake --install "$cache/build-qtserialport"

find "$prefix" -type f \( -iname '*.dll' -o -iname '*.exe' \) -print0 | xargs -0 -r "$triple-strip" --strip-unneeded
echo "Qt for Windows in $prefix ($(du -sh "$prefix" | cut -f1)): KLINGPORT_QT_WINDOWS=$prefix scripts/windows.sh"
