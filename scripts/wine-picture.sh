#!/usr/bin/env bash
# Takes the picture of klingport.exe under Wine for the README, beside the Linux ones of
# scripts/pictures.sh: the main window on a Wine desktop, connected to the simulated Klingport.
#   scripts/wine-picture.sh [WINDOWS-BUILD] [LINUX-BUILD]     (defaults build-windows, build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
windows="$(realpath -m "${1:-$root/build-windows}")"
linux="$(realpath -m "${2:-$root/build}")"
"$root/scripts/deps.sh" wine wine64 xvfb xdotool imagemagick fonts-wine
[ -f "$windows/CMakeCache.txt" ] || "$root/scripts/windows.sh" "$windows"
[ -f "$linux/CMakeCache.txt" ] || cmake -S "$root" -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$linux" --target klingport-sim
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")"
folder="$windows/klingport-$version-windows"

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
work="$windows/wine-picture"
wine_env "$work"
$wine reg add "$wine_settings" /v Comport /t REG_SZ /d $'\x01' /f >/dev/null
wine_sim "$linux/tools/sim/klingport-sim" --baud 0 --verbose

# A Wine desktop draws the window frame itself, as Windows would.
(cd "$work" && exec $wine explorer /desktop=Klingport,800x600 "$folder/klingport.exe") >/dev/null 2>&1 &
for _ in $(seq 300); do grep -q "image download done" "$work/sim.out" && break; sleep 0.1; done
grep -q "image download done" "$work/sim.out" || { echo "klingport.exe did not read the device" >&2; exit 1; }
sleep 3
xdotool key Return # "Einstellungen wurden vom Klingport geladen!"
sleep 2
import -window root -crop 800x600+0+0 +repage "$work/desktop.png"
# The window alone: the desktop's colour around it cut away.
background="$(convert "$work/desktop.png" -format '%[pixel:p{799,599}]' info:)"
mkdir -p "$root/docs"
convert "$work/desktop.png" -bordercolor "$background" -border 1 -trim +repage "$root/docs/wine-konfiguration.png"
echo "$root/docs/wine-konfiguration.png"
