#!/usr/bin/env bash
# The Windows programs under Wine beside the Linux ones, in the same run: klingport-cli reading and
# storing the image against klingport-sim paced at 19200 baud, as ratios to the line floor, and the
# time from starting klingport to its main window on an X server (Xvfb). Medians of 3 runs.
#   bench/wine.sh [WINDOWS-BUILD] [LINUX-BUILD]
# WINDOWS-BUILD (default build-windows) is made by scripts/windows.sh when it has no program folder;
# LINUX-BUILD (default build-bench, as bench/run.sh) is made a Release build when it is new.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
windows="$(realpath -m "${1:-$root/build-windows}")"
linux="$(realpath -m "${2:-$root/build-bench}")"
[ -f "$windows/CMakeCache.txt" ] || "$root/scripts/windows.sh" "$windows"
"$root/scripts/deps.sh" wine wine64 xvfb xdotool fonts-wine
[ -f "$linux/CMakeCache.txt" ] || cmake -S "$root" -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$linux" --target klingport klingport-cli klingport-sim
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows/CMakeCache.txt")"
folder="$windows/klingport-$version-windows"
[ -f "$folder/klingport.exe" ] || "$root/scripts/windows.sh" "$windows"

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
work="$windows/wine-bench"
wine_env "$work"

wine_sim "$linux/tools/sim/klingport-sim" --image "$work/klingport.img"

now() { date +%s.%N; }
median() { LC_ALL=C sort -g | sed -n 2p; }
# Seconds of one run of the command, the median of three.
timed() {
  for _ in 1 2 3; do
    local start
    start="$(now)"
    "$@" >/dev/null 2>&1
    echo "$(now) - $start" | bc -l
  done | median
}
# The backups go beside a settings file of the run's own, for both programs.
windows_cli() { (cd "$work" && $wine "$folder/klingport-cli.exe" "$@" --einstellungen windows.ini); }
linux_cli() { (cd "$work" && "$linux/src/cli/klingport-cli" "$@" --einstellungen linux.ini); }
windows_cli lesen --port COM1 --abbild abbild.bin >/dev/null # the first start fills Wine's caches

# Seconds from starting the window program to its main window on the X server. Its port is one
# without a device, so that only the start is measured.
window_up() {
  local start pid
  start="$(now)"
  "$@" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name '^Welko Klingport Inbetriebnahmesoftware$' >/dev/null 2>&1; do
    sleep 0.01
  done
  echo "$(now) - $start" | bc -l
  kill "$pid" 2>/dev/null || true
  $wine taskkill /f /im klingport.exe >/dev/null 2>&1 || true
  wait "$pid" 2>/dev/null || true
  while xdotool search --onlyvisible --name '^Welko Klingport' >/dev/null 2>&1; do sleep 0.05; done
}
windows_window() { window_up $wine "$folder/klingport.exe"; }
linux_window() { window_up env XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$linux/src/shell/klingport"; }
$wine reg add "$wine_settings" /v Comport /t REG_SZ /d $'\x06' /f >/dev/null
mkdir -p "$work/config/Welko Klingport Inbetriebnahmesoftware"
printf '[Settings]\nComport=\\x6\n' >"$work/config/Welko Klingport Inbetriebnahmesoftware/Welko Klingport Inbetriebnahmesoftware.conf"
median_of() { for _ in 1 2 3; do "$@"; done | median; }

# The floor: the bytes on the wire at 10 bits a byte (48 blocks of 132 bytes, their 48 answers, the
# request, the first NAK, EOT and its answer, and the log-off before), plus the second the device
# waits before its first NAK on a read. A store reads the image first, for the backup.
read_floor="$(echo "6389 * 10 / 19200 + 1" | bc -l)"
store_floor="$(echo "$read_floor + 6389 * 10 / 19200" | bc -l)"
row() {
  local linux_s windows_s
  linux_s="$(timed linux_cli "${@:3}" --port "$work/com1")"
  windows_s="$(timed windows_cli "${@:3}" --port COM1)"
  printf '| %s | %.3f s | %.3f s | %.3f | %.3f s | %.3f |\n' "$1" "$2" "$linux_s" "$(echo "$linux_s / $2" | bc -l)" \
    "$windows_s" "$(echo "$windows_s / $2" | bc -l)"
}

echo
echo "| klingport-cli, whole process | floor | Linux | ratio | Wine | ratio |"
echo "|---|---|---|---|---|---|"
printf '| start and end only (`--version`) | | %.3f s | | %.3f s | |\n' \
  "$(timed linux_cli --version)" "$(timed windows_cli --version)"
row "image read (\`lesen --abbild\`)" "$read_floor" lesen --abbild abbild.bin
row "image store (\`speichern --abbild\`, read for the backup first)" "$store_floor" speichern --abbild abbild.bin
echo
echo "| klingport, start to main window | Linux | Wine |"
echo "|---|---|---|"
printf '| first start | %.3f s | %.3f s |\n' "$(linux_window)" "$(windows_window)"
printf '| later starts, median of 3 | %.3f s | %.3f s |\n' "$(median_of linux_window)" "$(median_of windows_window)"
