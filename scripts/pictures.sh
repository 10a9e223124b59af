#!/usr/bin/env bash
# Renders the main window's tabs, the settings dialog and the about box into docs/, with the
# program connected to the simulated Klingport. Usage: scripts/pictures.sh [build-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel --target klingport-pictures klingport-sim

state="$(mktemp -d)"
"$build/tools/sim/klingport-sim" --link "$state/com1" --baud 0 >"$state/sim.out" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true; rm -rf "$state"' EXIT
for _ in $(seq 50); do [ -e "$state/com1" ] && break; sleep 0.1; done
mkdir -p "$root/docs"
QT_QPA_PLATFORM=offscreen "$build/tools/pictures/klingport-pictures" "$state/com1" "$root/docs"
