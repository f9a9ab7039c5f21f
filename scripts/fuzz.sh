#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and AddressSanitizer and runs each for a while.
# Usage: scripts/fuzz.sh [seconds per target]   (default 60; longer runs find more)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
shopt -s nullglob
for target in build/fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  echo "-- $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' || true
  if [ "${PIPESTATUS[0]}" -ne 0 ]; then echo "$name found a fault"; exit 1; fi
done
