#!/usr/bin/env bash
# Runs every test: native unit tests with sanitizers, a short fuzz run, the Windows x86_64
# build with its tests under Wine, and the 32-bit Windows build (compiled only: this
# machine cannot run 32-bit code).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
jobs=$(nproc)
status=0

echo "== portable code must not include Windows headers"
if grep -rlE '#include *<(windows|winsock2|commctrl|commdlg|shellapi)\.h>' \
     --include='*.cpp' --include='*.h' app panel | grep -v -E '_win32\.(cpp|h)$'; then
  echo "these portable files include Windows headers"; exit 1
fi

echo "== native build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset native -DSICCORA_SANITIZE=ON >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs" || status=1

echo "== short fuzz runs"
bash scripts/fuzz.sh "${SICCORA_FUZZ_SECONDS:-60}" || status=1

echo "== Windows x86_64 build and tests under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
source scripts/wine-session.sh
wine_session_start
trap wine_session_stop EXIT
ctest --preset win64 || status=1

echo "== Windows i686 build"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"

exit $status
