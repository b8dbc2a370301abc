#!/bin/sh
# Runs one command on a private X server with a window manager, for window tests that need real frames,
# positions and focus: starts Xvfb on a free display, starts openbox on it, waits until the window manager
# has taken the screen, runs the command there and tears both down again whatever the command's result.
#
# usage: run-under-wm.sh [--timeout SECONDS] command [arguments...]
set -u

limit=600
if [ "${1:-}" = "--timeout" ]; then
    limit=$2
    shift 2
fi
if [ $# -eq 0 ]; then
    echo "usage: $0 [--timeout SECONDS] command [arguments...]" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/trombus-wm.XXXXXX") || exit 1
xvfb_pid=
wm_pid=

stop_child() {
    # Polite first, then firm: a process that ignores TERM must still not outlive the run.
    [ -n "$1" ] || return 0
    kill -TERM "$1" 2>/dev/null || return 0
    tries=0
    while kill -0 "$1" 2>/dev/null && [ $tries -lt 50 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
    return 0
}

tear_down() {
    stop_child "$wm_pid"
    stop_child "$xvfb_pid"
    rm -rf "$work"
}
trap tear_down EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# The server picks a free display itself and writes its number to the descriptor it is given.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
display=
tries=0
while [ $tries -lt 100 ]; do
    display=$(head -n 1 "$work/display" 2>/dev/null)
    [ -n "$display" ] && break
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "run-under-wm: Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.1
    tries=$((tries + 1))
done
if [ -z "$display" ]; then
    echo "run-under-wm: Xvfb reported no display within 10 s" >&2
    exit 1
fi
DISPLAY=":$display"
export DISPLAY

# A home of its own keeps the user's openbox settings (and session autostart) out of the tests.
HOME="$work" XDG_CONFIG_HOME="$work/config" openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    if ! kill -0 "$wm_pid" 2>/dev/null || [ $tries -ge 100 ]; then
        echo "run-under-wm: openbox did not take the screen within 10 s:" >&2
        cat "$work/openbox.log" >&2
        exit 1
    fi
    sleep 0.1
    tries=$((tries + 1))
done

QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORM
# The command runs under a limit of its own, shorter than the caller's, so this script always gets to
# tear the servers down rather than being killed together with them still running.
timeout --kill-after=5 "$limit" "$@"
exit $?
