#!/usr/bin/env bash
# Builds the browser page (preset web: build/web/siccora.html and the README's picture of it), the
# native helpers its tests use (siccora-sim and the expected-LCD helper, preset native-asan), and
# runs the page's end-to-end tests in Debian's Chromium. The last line is "N passed, N failed".
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
[ -d node_modules/playwright-core ] || PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j "$jobs" --target siccora-sim lcd_expect
node tests/web/page_test.js
