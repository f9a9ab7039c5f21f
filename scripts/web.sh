#!/usr/bin/env bash
# Builds the dryer's browser page (preset web) and prints its path: one self-contained HTML file
# to open in any browser, from the disk or a web server, or to mail to someone.
set -euo pipefail
cd "$(dirname "$0")/.."
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
[ -d node_modules/playwright-core ] || PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci
cmake --preset web >/dev/null
cmake --build --preset web -j "$(nproc)" >&2
echo "$PWD/build/web/siccora.html"
