#!/bin/sh
# Builds the Windows platform layer and its contract tests with mingw-w64 and runs them under Wine, then the
# differential tests of the INI and registry services when they are in the tree.
#
#   scripts/test-windows.sh [ctest arguments...]
#
# The cross build lives in $BUILD_DIR/windows (BUILD_DIR defaults to build, the native build), the Wine prefix
# in $BUILD_DIR/windows/wineprefix; both are kept for the next run. Warnings are errors in this build.
# Exits non-zero when the build or any test fails.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_DIR="${BUILD_DIR:-build}"
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$ROOT/$BUILD_DIR" ;; esac
WIN_DIR="$BUILD_DIR/windows"

for tool in x86_64-w64-mingw32-g++-posix wine wineboot wineserver cmake ninja; do
    if ! command -v "$tool" >/dev/null; then
        echo "test-windows.sh: $tool is missing; scripts/setup.sh installs it" >&2
        exit 1
    fi
done

started=$(date +%s)
phase() {
    echo "test-windows.sh: $1 ($(($(date +%s) - started)) s)"
}

# Cross build. Warnings fail it, for the platform layer, the tests and GoogleTest alike.
nice cmake -S . -B "$WIN_DIR" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DTROMBUS_PLATFORM_ONLY=ON >/dev/null
nice cmake --build "$WIN_DIR" -j2
phase "built"

# A private Wine prefix: no desktop menu entries or file associations (winemenubuilder), no offer to download
# Mono or Gecko (mscoree, mshtml), no debug chatter, and no window on any display the caller may have.
export WINEPREFIX="$WIN_DIR/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
unset DISPLAY WAYLAND_DISPLAY
# Russian regional settings, as for the rest of the tests, unless the caller chose others.
export LANG="${LANG:-ru_RU.UTF-8}"

# The prefix is ready once it carries the mark of the Wine that made it. A prefix without the mark (its making
# was interrupted) or made by another Wine version is thrown away and made anew; making one takes seconds.
wine_version=$(wine --version 2>/dev/null || echo unknown)
mark="$WINEPREFIX/.trombus-prefix"
if [ ! -f "$mark" ] || [ "$(cat "$mark")" != "$wine_version" ]; then
    if [ -e "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
    fi
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "test-windows.sh: wineboot could not make the prefix $WINEPREFIX" >&2
        exit 1
    fi
    echo "$wine_version" >"$mark"
    phase "made the Wine prefix"
fi
# What an interrupted earlier run left in the prefix's temporary folder goes; the tests' registry keys carry a
# random part of their own, so a key left behind is never met again.
rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/trombus-* "$WINEPREFIX"/drive_c/users/*/Temp/tro*.tmp 2>/dev/null || true

stop_wine() {
    # The prefix's own processes end a few seconds after the last program; do not leave them behind.
    timeout 30 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
}
trap stop_wine EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

status=0
ctest --test-dir "$WIN_DIR" --output-on-failure "$@" || status=1
phase "contract tests run under Wine"

differential="$ROOT/tests/differential/run.sh"
if [ -f "$differential" ]; then
    if [ -x "$differential" ]; then
        "$differential" "$BUILD_DIR" "$WIN_DIR" || status=1
    else
        sh "$differential" "$BUILD_DIR" "$WIN_DIR" || status=1
    fi
    phase "differential tests run"
fi
exit $status
