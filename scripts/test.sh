#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the Linux build, the Windows build
# under Wine, then the browser edition under node and in headless Chromium.
# `scripts/test.sh PRESET` does it for one preset, e.g. `scripts/test.sh asan` under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
if [ $# -eq 0 ]; then
    presets=(default windows web)
fi

scripts/install-deps.sh
for preset in "${presets[@]}"; do
    if [ "$preset" = web ]; then
        # The page's test tools, pinned by the lock file.
        (cd tests/web && npm ci --no-audit --no-fund --loglevel=error) ||
            echo "test.sh: npm ci failed; the page's tests in Chromium will be skipped" >&2
    fi
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
