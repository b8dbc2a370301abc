#!/bin/sh
# Builds the whole tree (the tests too) in the folder scripts/setup.sh configured, then runs every test headless.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
# The program's users run Russian regional settings; the tests that prove the C locale set their own.
export LANG=ru_RU.UTF-8
unset LC_ALL LC_NUMERIC LANGUAGE
# A private session bus and a null sound sink, so tests never touch the user's desktop.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null; then
    exec dbus-run-session -- "$0" "$@"
fi
# The null sink: a private PulseAudio server for this run.
. scripts/private-pulse.sh
start_private_pulse "test.sh: no private sound server; the sound tests will be skipped"
status=0
# The stages that failed, repeated at the very end: a log shown from its tail still says what went wrong.
failed=""
fail() {
    status=1
    failed="$failed
test.sh: FAILED: $1"
}
# ctest runs what is built; the GoogleTest programs list their cases while they are built.
if cmake --build "$BUILD_DIR"; then
    if ! ctest --test-dir "$BUILD_DIR" --output-on-failure -j2 "$@"; then
        fail "the suite in $BUILD_DIR; its failed tests:"
        list="$BUILD_DIR/Testing/Temporary/LastTestsFailed.log"
        [ -f "$list" ] && failed="$failed
$(sed 's/^/    /' "$list")"
    fi
else
    fail "the build in $BUILD_DIR"
fi
# Without arguments this is every test: then the Windows platform layer is built with mingw-w64 and tested under
# Wine, and the whole tree is built again with the sanitizers, its suite run there and each fuzz target run for a
# short time. Each stage runs even when an earlier one failed, so one run shows every failure.
if [ $# -eq 0 ] && [ -z "${TROMBUS_SUITE_ONLY:-}" ]; then
    # The sanitized stage runs its suite through this script when it has no environment of its own yet.
    TROMBUS_SUITE_ONLY=1
    export TROMBUS_SUITE_ONLY
    BUILD_DIR="$BUILD_DIR" scripts/test-windows.sh || fail "the Windows stage (scripts/test-windows.sh)"
    scripts/test-sanitized.sh || fail "the sanitized stage (scripts/test-sanitized.sh)"
fi
if [ -n "$failed" ]; then
    echo "$failed" >&2
fi
exit $status
