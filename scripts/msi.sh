#!/usr/bin/env bash
# Makes the installer of the Windows program folder that scripts/windows.sh left in WINDOWS-BUILD, as
# VERSION (by default the build's own); the Wine checks make others of other versions from it.
#   scripts/msi.sh WINDOWS-BUILD MSI [VERSION]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "$1")"
msi="$(realpath -m "$2")"
eigene="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
version="${3:-$eigene}"
folder="$build/klingport-$eigene-windows"
IFS=. read -r major minor patch <<<"$version"
# Windows Installer compares three fields of a version.
danach="$major.$minor.$((patch + 1))"

# Every file of the folder is a component of the installer.
find "$folder" -type f | LC_ALL=C sort |
  wixl-heat -p "$folder/" --directory-ref INSTALLDIR --component-group Programmdateien --var var.SourceDir --win64 \
    > "$build/programmdateien.wxs"
(cd "$folder" && wixl -a x64 -D SourceDir=. -D Win64=yes -D Version="$version" -D VersionDanach="$danach" \
  -o "$msi" "$root/packaging/windows/klingport.wxs" "$build/programmdateien.wxs")
