#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UndefinedBehaviorSanitizer into
# build-fuzz/ and runs each over its corpus in fuzz/corpus; new inputs go to a temporary folder.
# Usage: scripts/fuzz.sh [RUNS]   RUNS per target, default 20000 (seconds); 1000000 for a campaign.
# A broken property or a sanitizer report stops it and names the input that found it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-20000}"
build="$root/build-fuzz"
"$root/scripts/deps.sh" clang libfuzzer-14-dev
targets=(fuzz_telegramm fuzz_logdatei fuzz_kpk fuzz_kpb fuzz_abbild fuzz_linkengine)
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKLINGPORT_FUZZ=ON -DKLINGPORT_TESTS=OFF -DKLINGPORT_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"
# Recording every allocation's stack would cost most of the time.
export ASAN_OPTIONS="malloc_context_size=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
work="$(mktemp -d)"
for t in "${targets[@]}"; do
  mkdir -p "$work/$t"
  start=$(date +%s)
  if ! (cd "$work" && "$build/fuzz/$t" -runs="$runs" -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$work/$t-" "$work/$t" "$root/fuzz/corpus/$t" >"$work/$t.log" 2>&1); then
    tail -n 40 "$work/$t.log"
    echo "$t: FAILED; the input is $(ls "$work/$t"-* 2>/dev/null | head -n 1)"
    exit 1
  fi
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$t.log")
  echo "$t: $executed executions in $(( $(date +%s) - start )) s, no findings"
done
rm -rf "$work"
