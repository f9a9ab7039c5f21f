#!/usr/bin/env bash
# Builds the browser page and prints its figures (bench/web_bench.js).
set -euo pipefail
cd "$(dirname "$0")/.."
page=$(bash scripts/web.sh)
node bench/web_bench.js "$page"
