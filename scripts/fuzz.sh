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
  log=build/fuzz/$name.log
  mkdir -p build/fuzz/artifacts
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix=build/fuzz/artifacts/ "$corpus" >"$log" 2>&1; then
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" || tail -20 "$log"
    echo "$name found a fault (input kept in build/fuzz/artifacts)"
    exit 1
  fi
  grep -E '^Done [0-9]+ runs' "$log" || true
done
