#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the Linux build, then the Windows build
# under Wine. `scripts/test.sh PRESET` does it for one preset, e.g. `scripts/test.sh asan`
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
if [ $# -eq 0 ]; then
    presets=(default windows)
fi

scripts/install-deps.sh
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
