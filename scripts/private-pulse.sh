# Sourced by the scripts that play sound: `start_private_pulse "<what happens without one>"` starts a private
# PulseAudio server with a null sink in a folder of its own, unless this run has one already, and stops it when
# the script ends; the user's own sound server is never asked.
start_private_pulse() {
    if [ -n "${TROMBUS_PULSE_DIR:-}" ] || ! command -v pulseaudio >/dev/null; then
        return 0
    fi
    TROMBUS_PULSE_DIR=$(mktemp -d "${TMPDIR:-/tmp}/trombus-pulse.XXXXXX")
    export TROMBUS_PULSE_DIR PULSE_RUNTIME_PATH="$TROMBUS_PULSE_DIR" PULSE_SERVER="unix:$TROMBUS_PULSE_DIR/native"
    trap stop_private_pulse EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    pulseaudio -n -D --exit-idle-time=-1 --use-pid-file=yes --log-target=file:"$TROMBUS_PULSE_DIR/log" \
        --load="module-null-sink sink_name=null" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$TROMBUS_PULSE_DIR/native" ||
        echo "$1" >&2
}

stop_private_pulse() {
    pulseaudio -k 2>/dev/null || true
    rm -rf "$TROMBUS_PULSE_DIR"
}
