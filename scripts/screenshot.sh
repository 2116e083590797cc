#!/usr/bin/env bash
# Makes docs/screenshot.png from the real window: starts the program under Xvfb, composes H2O
# with the keyboard and saves the window's picture. Builds nothing; give it a build folder in
# which the tests (zerkan-screenshot) are built, e.g. `scripts/screenshot.sh build/default`.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/default}"
tool="$build/tests/qt/zerkan-screenshot"
if [ ! -x "$tool" ]; then
    echo "screenshot: $tool not found; build the tests in $build first" >&2
    exit 1
fi
mkdir -p docs
# The fonts of a plain Debian desktop; no window manager, so the picture has no title bar.
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" "$tool" docs/screenshot.png
echo "docs/screenshot.png"
