#!/usr/bin/env bash
# Builds the browser edition (preset `web`) and prints its figures in headless Chromium: the
# single file's size, start-up against a bare page with the three lists, and Ekle and Geri Al
# through a real click at 0, 999 and 1000 longest entries.
#
#   scripts/bench-web.sh               # 60 start-up pairs, 15 clicks per action
#   PAIRS=200 SAMPLES=30 scripts/bench-web.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web --target zerkan_page zerkan_bench_floor >&2
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error) >&2
node bench/web/page_bench.mjs --page build/web/zerkan-kutlesi.html \
    --floor build/web/bench/web/floor.html --pairs "${PAIRS:-60}" --samples "${SAMPLES:-15}"
