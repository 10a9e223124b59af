#!/usr/bin/env bash
# Builds the program and runs it against the simulated Klingport on a pseudo-terminal.
# Usage: scripts/run.sh [build-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel --target klingport-sim klingport-linkcheck

state="$(mktemp -d)"
trap 'kill "$sim" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$state"' EXIT
"$build/tools/sim/klingport-sim" --link "$state/com1" --image "$state/image.bin" >"$state/sim.out" &
sim=$!
for _ in $(seq 50); do [ -e "$state/com1" ] && break; sleep 0.1; done
echo "klingport-sim is on $(head -n1 "$state/sim.out")"
"$build/tools/linkcheck/klingport-linkcheck" --store "$state/com1"
