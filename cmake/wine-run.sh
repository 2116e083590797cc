#!/usr/bin/env bash
# Runs a Windows program of the build under Wine and passes its exit code through.
#
#   wine-run.sh STATE_DIR PROGRAM [ARGS...]   run PROGRAM (the Windows build's emulator)
#   wine-run.sh STATE_DIR --start             start the session and warm it up
#   wine-run.sh STATE_DIR --start-then CMD... the same, then run CMD (a build step)
#   wine-run.sh STATE_DIR --stop              end the session once no program runs
#
# STATE_DIR holds the Wine prefix, made once (a fresh prefix takes ~20 s), and the session: a
# persistent wineserver and, when there is no DISPLAY, an Xvfb of our own. A session also ends
# by itself a while after its last program, so an interrupted run leaves nothing behind.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: wine-run.sh STATE_DIR (PROGRAM [ARGS...] | --start | --stop)" >&2
    exit 2
fi
state=$(mkdir -p "$1" && cd "$1" && pwd)
shift

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
# Seconds the wineserver stays after the last program; covers the gap between building a test
# and listing its cases.
linger="${ZERKAN_WINE_LINGER:-60}"
# Xlib keeps an X resource database only once it has found one; without any (no RESOURCE_MANAGER
# on our Xvfb, no ~/.Xdefaults), every XGetDefault looks for the files again, and Wine asks
# for its font settings each time it selects a font: about a file search per control painted.
# A database of one resource that nothing reads is read once.
if [ ! -f "$state/Xresources" ]; then
    printf 'zerkan-wine-session.resources: 1\n' >"$state/Xresources.$$"
    mv -f "$state/Xresources.$$" "$state/Xresources"
fi
export XENVIRONMENT="$state/Xresources"
session="$state/session"
lock="$state/session.lock"

# Every program holds session.lock shared while it runs; whoever closes the display holds it
# exclusively, so the display outlives every program that uses it.
start_session() {
    local display="" xvfb_pid=""
    if [ -z "${DISPLAY:-}" ]; then
        local fifo="$state/displayfd" number=""
        rm -f "$fifo"
        mkfifo "$fifo"
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" 8>&- 9>&- \
            </dev/null >/dev/null 2>&1 &
        xvfb_pid=$!
        read -r -t 20 number <"$fifo" || true
        rm -f "$fifo"
        if [ -z "$number" ]; then
            kill "$xvfb_pid" 2>/dev/null || true
            echo "wine-run: Xvfb did not start" >&2
            exit 1
        fi
        display=":$number"
    fi
    mkdir -p "$WINEPREFIX"
    # The wineserver gets stdio of its own: one that inherits the caller's pipes keeps CTest
    # waiting for their end.
    (
        exec 8>&- 9>&-
        wineserver -f -p"$linger" || true
        exec 9>"$lock"
        flock -x 9
        if grep -qx "supervisor=$BASHPID" "$session" 2>/dev/null; then
            [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
            rm -f "$session"
        fi
    ) </dev/null >/dev/null 2>&1 &
    printf 'display=%s\nxvfb=%s\nsupervisor=%s\n' "$display" "$xvfb_pid" "$!" >"$session"
    local socket
    socket=$(printf '/tmp/.wine-%d/server-%x-%x/socket' "$(id -u)" \
        "0x$(stat -c %D "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    for _ in $(seq 200); do
        [ -S "$socket" ] && break
        sleep 0.05
    done
}

# Wine's own services start with the session's first program and inherit its stdio; a quiet
# first program keeps them off the caller's pipes. Hidden windows must not wait ~2 s for a
# window manager that is not there (Managed=N).
warm_up() {
    # Wine's own fonts (Debian: fonts-wine) where a Windows program finds them: MS Shell Dlg
    # then maps to Tahoma as on Windows, and captions get their Marlett button glyphs.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
        ln -sf /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
    fi
    if [ ! -f "$WINEPREFIX/.zerkan-ready" ]; then
        wineboot --init 8>&- 9>&- </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f 8>&- 9>&- \
            </dev/null >/dev/null 2>&1
        ln -sf /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
        touch "$WINEPREFIX/.zerkan-ready"
    else
        wine cmd /c exit 8>&- 9>&- </dev/null >/dev/null 2>&1 || true
    fi
}

ensure_session() {
    exec 8>"$state/start.lock"
    flock -x 8
    if [ ! -f "$session" ]; then
        start_session
        [ -n "${DISPLAY:-}" ] || export DISPLAY="$(sed -n 's/^display=//p' "$session")"
        warm_up
    fi
    [ -n "${DISPLAY:-}" ] || export DISPLAY="$(sed -n 's/^display=//p' "$session")"
    flock -u 8
    exec 8>&-
}

exec 9>"$lock"
case "$1" in
    --start)
        flock -s 9
        ensure_session
        ;;
    --start-then)
        flock -s 9
        ensure_session
        exec 9>&-
        shift
        exec "$@"
        ;;
    --stop)
        flock -x 9
        if [ -f "$session" ]; then
            wineserver -k 2>/dev/null || true
            xvfb_pid=$(sed -n 's/^xvfb=//p' "$session")
            [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
            rm -f "$session"
        fi
        ;;
    *)
        flock -s 9
        ensure_session
        # Output goes through files: a process that Wine starts on the program's behalf (the
        # desktop, when it has to come back) inherits its stdout and stderr, and would hold
        # CTest's pipes open until the session ends.
        out=$(mktemp "$state/out.XXXXXX")
        err=$(mktemp "$state/err.XXXXXX")
        set +e
        wine "$@" >"$out" 2>"$err" 9>&-
        rc=$?
        cat "$out"
        cat "$err" >&2
        rm -f "$out" "$err"
        exit $rc
        ;;
esac
