#!/usr/bin/env bash
# Runs every test: the portability check, native unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, the threaded suites with ThreadSanitizer, a short fuzz run, the
# 32-bit Windows build and installer (compiled only: this machine cannot run 32-bit code), and the
# Windows x86_64 build and installer with their tests under Wine (the installer test installs and
# uninstalls in a Wine prefix of its own), and the built user's manual in headless Chromium. Ends
# with one line that sums up all CTest runs and the manual's checks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
jobs=$(nproc)
status=0
mkdir -p build
passed=0
failed=0

# Adds one CTest run's figures ("NN% tests passed, F tests failed out of T") to the totals.
count_ctest() {
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1 || true)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  local f t
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + t - f))
  failed=$((failed + f))
}

# Adds the figures of a run that ends with "N passed, N failed" to the totals.
count_passed_failed() {
  local line
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$1" | tail -n 1 || true)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  passed=$((passed + ${line%% passed*}))
  local f=${line#*, }
  failed=$((failed + ${f%% failed}))
}

echo "== portable code must not include Windows headers"
bash scripts/check_portable.sh

echo "== native build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j "$jobs"
ctest --preset native-asan -j "$jobs" 2>&1 | tee build/ctest-native-asan.log || status=1
count_ctest build/ctest-native-asan.log

echo "== the browser page and its tests in Chromium"
bash scripts/web_test.sh 2>&1 | tee build/web-tests.log || status=1
count_passed_failed build/web-tests.log

echo "== data-list and application-link tests (ThreadSanitizer)"
cmake --preset native-tsan >/dev/null
cmake --build --preset native-tsan -j "$jobs"
ctest --preset native-tsan -j "$jobs" 2>&1 | tee build/ctest-native-tsan.log || status=1
count_ctest build/ctest-native-tsan.log

echo "== short fuzz runs"
bash scripts/fuzz.sh "${SICCORA_FUZZ_SECONDS:-60}" || status=1

echo "== Windows i686 build and its installer"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
cmake --build --preset win32 --target installer

echo "== Windows x86_64 build, its installer, and the tests under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
cmake --build --preset win64 --target installer

echo "== the user's manual in Chromium: pictures, links, anchors"
# The installed program's manual: the one the win64 build put beside siccora.exe, with one picture
# per scenario of dataset/pictures/.
pictures=$(find dataset/pictures -name '*.yaml' | wc -l)
node tests/manual/check_manual.mjs build/win64/bin/rk52.htm --pictures "$pictures" 2>&1 |
  tee build/manual-check.log || status=1
count_ctest build/manual-check.log
# The controller refuses every program in its default blocked period (04:00-04:30 local time),
# and the Wine tests run the real controller on the wall clock: a run near that time gets a local
# time six hours later, so the test outcome does not depend on the hour it runs at.
utc_minutes=$((10#$(date -u +%H) * 60 + 10#$(date -u +%M)))
if [ "$utc_minutes" -ge 150 ] && [ "$utc_minutes" -lt 330 ]; then export TZ='<+06>-6'; else export TZ=UTC; fi
source scripts/wine-session.sh
wine_session_start
trap wine_session_stop EXIT
ctest --preset win64 2>&1 | tee build/ctest-win64.log || status=1
count_ctest build/ctest-win64.log

[ "$failed" -eq 0 ] || status=1
echo
echo "total: $passed passed, $failed failed"
exit $status
