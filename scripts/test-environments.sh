#!/usr/bin/env bash
# The default suite again under environments a caller may bring: the offscreen platform that
# many CI set-ups set for every Qt program, the C locale, the Turkish locale, and then all that
# a desktop session of someone else's sets at once. Every test that starts the program or a
# display sets what it needs and clears the rest, so each run must pass alike. Run after
# scripts/test.sh, which builds the default preset and runs the suite once.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! locale -a 2>/dev/null | grep -qix 'tr_TR[.]utf-\?8'; then
    echo "test-environments: the tr_TR.UTF-8 locale is not installed (scripts/install-deps.sh generates it)" >&2
    exit 1
fi
environments=(
    "QT_QPA_PLATFORM=offscreen"
    "LANG=C"
    "LANG=tr_TR.UTF-8"
    "QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=zerkan-nowhere DISPLAY=:987 QT_SCALE_FACTOR=1.75
     QT_STYLE_OVERRIDE=windows QT_LOGGING_RULES=*.debug=true LC_ALL=tr_TR.UTF-8 LANGUAGE=de
     XDG_RUNTIME_DIR=/nonexistent XDG_CONFIG_HOME=/nonexistent XDG_SESSION_TYPE=wayland
     DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent"
)
for environment in "${environments[@]}"; do
    read -r -a assignments <<<"${environment//$'\n'/ }"
    echo "== ctest --preset default, with ${assignments[*]}"
    env "${assignments[@]}" ctest --preset default
done
