#!/bin/sh
# Runs one command beside a headless Wayland compositor (weston), as on a Wayland desktop: starts weston with a
# socket in a runtime folder of its own, waits until the socket is there, runs the command with the compositor as
# its Wayland display and no platform named for Qt, and ends weston again whatever the command's result.
# With --no-x the command also gets no X server (a desktop without XWayland); otherwise DISPLAY is kept, playing
# XWayland.
#
# usage: run-under-weston.sh [--timeout SECONDS] [--no-x] command [arguments...]
set -u

limit=600
no_x=
while [ $# -gt 0 ]; do
    case "$1" in
    --timeout) limit=$2; shift 2 ;;
    --no-x) no_x=1; shift ;;
    *) break ;;
    esac
done
if [ $# -eq 0 ]; then
    echo "usage: $0 [--timeout SECONDS] [--no-x] command [arguments...]" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/trombus-weston.XXXXXX") || exit 1
chmod 700 "$work"
weston_pid=

tear_down() {
    if [ -n "$weston_pid" ] && kill -TERM "$weston_pid" 2>/dev/null; then
        tries=0
        while kill -0 "$weston_pid" 2>/dev/null && [ $tries -lt 50 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
        kill -KILL "$weston_pid" 2>/dev/null
        wait "$weston_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap tear_down EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

XDG_RUNTIME_DIR="$work" weston --backend=headless-backend.so --socket=wayland-trombus --idle-time=0 \
    --width=1280 --height=1024 >"$work/weston.log" 2>&1 &
weston_pid=$!
tries=0
until [ -S "$work/wayland-trombus" ]; do
    if ! kill -0 "$weston_pid" 2>/dev/null || [ $tries -ge 100 ]; then
        echo "run-under-weston: weston did not open its socket within 10 s:" >&2
        cat "$work/weston.log" >&2
        exit 1
    fi
    sleep 0.1
    tries=$((tries + 1))
done

XDG_RUNTIME_DIR="$work"
WAYLAND_DISPLAY=wayland-trombus
XDG_SESSION_TYPE=wayland
export XDG_RUNTIME_DIR WAYLAND_DISPLAY XDG_SESSION_TYPE
unset QT_QPA_PLATFORM
[ -n "$no_x" ] && unset DISPLAY
timeout --kill-after=5 "$limit" "$@"
exit $?
