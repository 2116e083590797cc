#!/usr/bin/env bash
# Runs the page's own cases (page_test.mjs) with node's test runner; skipped (77) when the
# pinned test tools have not been installed (npm ci in this folder).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ ! -d "$here/node_modules/puppeteer-core" ] || [ ! -d "$here/node_modules/axe-core" ]; then
    echo "the page's test tools are missing: run npm ci in $here"
    exit 77
fi
exec node --test --test-reporter=tap "$here/page_test.mjs"
