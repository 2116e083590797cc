#!/usr/bin/env bash
# Replays a scenario file (zerkan-replay's line format) on the browser edition: without --page
# through the in-memory window under node, with --page through the real page in headless
# Chromium. Reads FILE, or standard input when FILE is absent or "-". Needs the web build
# (scripts/test.sh web, or cmake --build --preset web); ZERKAN_WEB_BUILD names another one.
#
#   scripts/replay-web.sh [--page] [FILE]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZERKAN_WEB_BUILD:-$here/build/web}"
if [ "${1:-}" = "--page" ]; then
    shift
    if [ ! -d "$here/tests/web/node_modules/puppeteer-core" ]; then
        echo "zerkan-replay-web: the page's test tools are missing (npm ci in tests/web); skipped" >&2
        exit 77
    fi
    exec node "$here/tests/web/replay-page.mjs" --page "$build/tests/web/zerkan-probe.html" "$@"
fi
exec node "$build/tests/replay/zerkan-replay.js" "$@"
