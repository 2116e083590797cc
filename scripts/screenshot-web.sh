#!/usr/bin/env bash
# Makes docs/screenshot-web.png from the real page: the browser edition in headless Chromium at
# a phone's width (360 CSS pixels, drawn at twice that), H2O composed by touch.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web --target zerkan_page >&2
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error) >&2
node tests/web/screenshot.mjs build/web/zerkan-kutlesi.html docs/screenshot-web.png
echo docs/screenshot-web.png
