#!/usr/bin/env bash
# Makes docs/screenshot-windows.png from the real Win32 window: starts "Zerkan Kütlesi.exe"
# under Wine on an Xvfb of its own, composes H2O with the keyboard (X key events, which reach
# the window as a keyboard's would) and saves the window's picture. Builds nothing; give it the
# Windows build folder, e.g. `scripts/screenshot-windows.sh build/windows`.
#
#   scripts/screenshot-windows.sh [BUILD] [OUTPUT] [ENTRIES]
#
# With ENTRIES, that many entries of the longest name and count (Meitneryum/Unnilennyum,
# 999999999) follow H2O, to see a molecule far longer than its boxes.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/windows}"
program="$build/bin/Zerkan Kütlesi.exe"
output="${2:-docs/screenshot-windows.png}"
if [ ! -f "$program" ]; then
    echo "screenshot-windows: $program not found; build the windows preset first" >&2
    exit 1
fi
for tool in Xvfb xdotool import wine; do
    command -v "$tool" >/dev/null || { echo "screenshot-windows: $tool is missing" >&2; exit 1; }
done

# A Wine prefix and session apart from the tests' (one wineserver is one desktop, on which
# windows take the focus from each other), and a display nobody else uses.
state="$(cd "$build" && pwd)/wine-screenshot"
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
xvfb=$!
read -r -t 20 number <"$fifo"
rm -f "$fifo"
export DISPLAY=":$number"
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    cmake/wine-run.sh "$state" --stop || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# The program finds its read-me in the folder it starts in.
(cd "$(dirname "$program")" && exec "$OLDPWD/cmake/wine-run.sh" "$state" "$(basename "$program")") \
    </dev/null >/dev/null 2>&1 &
program_pid=$!

window=""
for _ in $(seq 1 120); do
    window=$(xdotool search --name "^Zerkan Kütlesi 3.1$" 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.5
done
if [ -z "$window" ]; then
    echo "screenshot-windows: the window did not appear" >&2
    exit 1
fi
# Keys typed before the window takes input would be lost.
sleep 4
key() { xdotool key --delay 150 "$@"; sleep 0.5; }
type() { xdotool type --delay 150 "$1"; sleep 0.5; }

# The focus starts in the number picker: 1 (Hidrojen), count 2, Alt+E; back to the number
# picker, 8 (Oksijen), Alt+E.
type 1
key Tab Tab Tab Tab
type 2
key alt+e
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
type 8
key alt+e
for _ in $(seq 1 "${3:-0}"); do
    key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
    type 109
    key Tab Tab Tab Tab
    type 999999999
    key alt+e
done
sleep 2

mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
xdotool key alt+F4 || true
echo "$output"
