#!/usr/bin/env bash
# Builds the benchmark in Release into build-bench/ and runs it: the program's transfers against
# klingport-sim paced at 19200 baud, and lrzsz's sx and rx over klingport-ptyline beside them.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target klingport-benchmark
"$build/bench/klingport-benchmark" "$@"
