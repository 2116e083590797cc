#!/usr/bin/env bash
# Builds the browser edition and prints where it is:
#   - zerkan-kutlesi.html, one file with everything inside, that works opened from disk
#     with no network (a USB stick, an e-mail attachment);
#   - site/, the same page for a web server, with a web app manifest, icons and an offline
#     cache, so that a phone can add it to its home screen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web --target zerkan_page >&2
echo "$PWD/build/web/zerkan-kutlesi.html"
echo "$PWD/build/web/site/"
