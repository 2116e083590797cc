#!/bin/sh
# desktop_window.sh PROGRAM DESKTOP_FILE: the program's window on an X desktop with a window
# manager. Its WM_CLASS names the menu entry, as the entry's StartupWMClass says, so docks group
# the window with its launcher and icon; its frame is centred on the screen when shown; and the
# window manager's close ends the program cleanly.
set -u
program=$1
entry=$2
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
server="" bus="" wm="" app=""
trap 'kill $app $wm $bus $server 2>/dev/null; rm -rf "$work"' EXIT

# An X server of its own, on a display number that the server picks as free when it starts:
# servers of other tests, started at the same moment, cannot take it.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
for _ in $(seq 1 100); do
    [ "$(wc -l <"$work/display")" -ge 1 ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "the X server did not start"; }
export DISPLAY=":$(head -n 1 "$work/display")"
# That server, whatever platform the caller's programs use.
export QT_QPA_PLATFORM=xcb
# A desktop's session bus; without one the toolkit's bus library tries to start one through
# the X server, and leaks as it fails.
dbus-daemon --session --nofork --print-address=1 >"$work/bus" 2>/dev/null &
bus=$!
for _ in $(seq 1 100); do
    [ "$(wc -l <"$work/bus")" -ge 1 ] && break
    sleep 0.1
done
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] || fail "the session bus did not start"
export DBUS_SESSION_BUS_ADDRESS

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
# A desktop's window manager runs before the program starts.
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
# The first synthetic key switches the server to another keyboard, and the window manager
# then takes its key bindings anew: done now, not when Alt+F4 is pressed.
xdotool key Shift_L 2>/dev/null
"$program" >/dev/null 2>&1 &
app=$!

# Waits (at most about ten seconds) until the window is shown and managed, then until the
# program has placed it; what is checked is the final placement, not how fast it came.
window=""
centre=""
for _ in $(seq 1 100); do
    [ -n "$window" ] || window=$(xdotool search --onlyvisible --name ' 3[.]1$' 2>/dev/null | head -n 1)
    if [ -n "$window" ]; then
        extents=$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p' | tr -d ' ')
        if [ -n "$extents" ]; then
            eval "$(xwininfo -id "$window" | awk '/Absolute upper-left X/{print "x=" $NF} /Absolute upper-left Y/{print "y=" $NF} /Width:/{print "w=" $NF} /Height:/{print "h=" $NF}')"
            IFS=, read -r left right top bottom <<END
$extents
END
            cx=$((x - left + (w + left + right) / 2))
            cy=$((y - top + (h + top + bottom) / 2))
            centre="$cx,$cy"
            [ $((cx - 640)) -ge -2 ] && [ $((cx - 640)) -le 2 ] &&
                [ $((cy - 400)) -ge -2 ] && [ $((cy - 400)) -le 2 ] && break
        fi
    fi
    sleep 0.1
done
[ -n "$window" ] || fail "no window appeared"
echo "frame centre $centre on a 1280x800 screen (frame extents $extents)"
[ $((cx - 640)) -ge -2 ] && [ $((cx - 640)) -le 2 ] && [ $((cy - 400)) -ge -2 ] &&
    [ $((cy - 400)) -le 2 ] || fail "the frame is not centred on the screen"

class=$(xprop -id "$window" WM_CLASS)
echo "$class"
[ "$class" = 'WM_CLASS(STRING) = "zerkan-kutlesi", "zerkan-kutlesi"' ] ||
    fail "WM_CLASS does not name the desktop entry zerkan-kutlesi"
grep -qx 'StartupWMClass=zerkan-kutlesi' "$entry" || fail "$entry: StartupWMClass is not zerkan-kutlesi"

# The window manager's close (Alt+F4) ends the program cleanly. A key that comes while the
# window manager still takes its bindings anew reaches the window instead, which ignores it:
# pressed again then.
for _ in 1 2 3; do
    xdotool windowactivate --sync "$window" key alt+F4 2>/dev/null
    for _ in $(seq 1 40); do
        kill -0 "$app" 2>/dev/null || break 2
        sleep 0.1
    done
done
kill -0 "$app" 2>/dev/null && fail "Alt+F4 did not close the window"
wait "$app" || fail "the program ended with status $? after Alt+F4"
app=""
