#!/bin/sh
# Runs every test headless after scripts/setup.sh has built the tree.
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
ctest --test-dir "$BUILD_DIR" --output-on-failure -j2 "$@"
