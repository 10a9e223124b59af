#!/usr/bin/env bash
# The Windows programs under Wine beside the Linux ones, in the same run: klingport-cli reading and
# storing the image against klingport-sim paced at 19200 baud, as ratios to the line floor, and the
# time from starting klingport to its main window on an X server (Xvfb). Medians of 3 runs.
#   bench/wine.sh [WINDOWS-BUILD] [LINUX-BUILD]
# WINDOWS-BUILD (default build-windows) is made by scripts/windows.sh when it has no program folder;
# LINUX-BUILD (default build-bench) is built in Release.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
windows="$(realpath -m "${1:-$root/build-windows}")"
linux="$(realpath -m "${2:-$root/build-bench}")"
[ -f "$windows/CMakeCache.txt" ] || "$root/scripts/windows.sh" "$windows"
"$root/scripts/deps.sh" wine wine64 xvfb xdotool
cmake -S "$root" -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$linux" --target klingport klingport-cli klingport-sim
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")"
folder="$windows/klingport-$version-windows"
[ -f "$folder/klingport.exe" ] || "$root/scripts/windows.sh" "$windows"

work="$windows/wine-bench"
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
pids=()
ende() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  "$wine" taskkill /f /im klingport.exe >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap ende EXIT
$wine wineboot --init >/dev/null 2>&1
$wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$work/com1" /f >/dev/null
/usr/lib/wine/wineserver -k
# One server for the whole run, as on a desktop where Wine is already up.
/usr/lib/wine/wineserver -p >"$work/wineserver.log" 2>&1
Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

"$linux/tools/sim/klingport-sim" --link "$work/com1" --image "$work/klingport.img" >"$work/sim.out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/com1" ] && break; sleep 0.1; done

now() { date +%s.%N; }
median() { LC_ALL=C sort -g | sed -n 2p; }
# Seconds of one run of the command, three times, the median.
timed() {
  for _ in 1 2 3; do
    local start
    start="$(now)"
    "$@" >/dev/null 2>&1
    echo "$(now) - $start" | bc -l
  done | median
}
windows_cli() { (cd "$work" && $wine "$folder/klingport-cli.exe" "$@"); }
linux_cli() { (cd "$work" && "$linux/src/cli/klingport-cli" "$@"); }
$wine "$folder/klingport-cli.exe" --version >/dev/null # the first start fills Wine's caches

# The floor: the bytes on the wire at 10 bits a byte, 48 blocks of 132 bytes, their 48 answers, the
# request, the first NAK, EOT and its answer and the log-off before, plus the second the device waits
# before its first NAK on a read. A store reads the image first, for the backup.
read_floor="$(echo "6389 * 10 / 19200 + 1" | bc -l)"
store_floor="$(echo "$read_floor + 6389 * 10 / 19200" | bc -l)"
row() { printf '| %s | %.3f s | %.3f s | %.3f |\n' "$1" "$2" "$3" "$(echo "$3 / $2" | bc -l)"; }

echo
echo "| klingport-cli | floor | wall | ratio |"
echo "|---|---|---|---|"
row "start only (\`--version\`), Linux" 0 "$(timed linux_cli --version)" 2>/dev/null || true
