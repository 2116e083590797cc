#!/usr/bin/env bash
# Builds the `coverage` preset, runs every test and prints the line and branch coverage of the
# core (core/) and of the Qt window (qt/). The lcov data lands in build/coverage/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset coverage >/dev/null
cmake --build --preset coverage
find build/coverage -name '*.gcda' -delete
ctest --preset coverage >/dev/null

build=build/coverage
rc=(--rc lcov_branch_coverage=1)
lcov --quiet "${rc[@]}" --capture --no-external --directory "$build" --base-directory "$PWD" \
    -o "$build/all.info" 2>/dev/null
for part in core qt; do
    lcov --quiet "${rc[@]}" --extract "$build/all.info" "$PWD/$part/*" -o "$build/$part.info" \
        2>/dev/null
    echo "$part/"
    lcov "${rc[@]}" --summary "$build/$part.info" 2>&1 | grep -E "lines|branches"
done
