#!/usr/bin/env bash
# Builds the program and starts it against the simulated Klingport, with settings of its own
# and backups (kept in ~/.local/state/klingport-demo), so that a user's real ones are never touched.
# Usage: scripts/run.sh [build-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel --target klingport klingport-cli klingport-sim

demo="${XDG_STATE_HOME:-$HOME/.local/state}/klingport-demo"
conf="$demo/config/Welko Klingport Inbetriebnahmesoftware/Welko Klingport Inbetriebnahmesoftware.conf"
mkdir -p "$(dirname "$conf")"
# COM1 is the simulator's line; the first run starts with COM1 chosen.
if [ ! -e "$conf" ]; then
  printf '[Settings]\nComport=\\x1\n\n[Ports]\nCOM1=%s\n' "$demo/com1" >"$conf"
fi

"$build/tools/sim/klingport-sim" --link "$demo/com1" --image "$demo/image.bin" \
  --firmware-dir "$demo" >"$demo/sim.out" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$demo/com1" ] && break; sleep 0.1; done
echo "klingport-sim: $(head -n1 "$demo/sim.out"), linked at $demo/com1"
XDG_CONFIG_HOME="$demo/config" XDG_DATA_HOME="$demo/data" "$build/src/shell/klingport"
