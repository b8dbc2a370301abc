#!/bin/sh
# The published benchmarks in one command: builds what they need into the build folder, runs every one of
# them on a private X server with openbox under Russian regional settings, and prints one table of figures
# beside a plain Qt window measured in the same run and the targets.
#
# usage: scripts/bench.sh [--quick] [--strict]
#   --quick   10-second runs instead of 60-second ones (about a minute in all), to check that the benchmarks
#             work; its figures are not the ones to publish
#   --strict  exit non-zero also when a figure misses its target (by default only a benchmark that cannot run
#             fails the command)
# Each benchmark's full output is kept in $BUILD_DIR/bench-logs/. On a machine where others build in the same
# folder, BUILD_LOCK=<lock file> makes the build step wait for that lock (flock).
set -eu
cd "$(dirname "$0")/.."

BUILD_DIR="${BUILD_DIR:-build}"
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$BUILD_DIR/CMakeCache.txt")
case "$type" in
Release | RelWithDebInfo) ;;
*) echo "bench: the build folder is configured as '${type:-no type}'; figures of an unoptimised build mean little" >&2 ;;
esac

lock=
if [ -n "${BUILD_LOCK:-}" ]; then
    lock="flock $BUILD_LOCK"
fi
# shellcheck disable=SC2086
$lock nice cmake --build "$BUILD_DIR" --target startup_probe_trombus startup_probe_plain stopwatch_probe \
    helpdictionary_bench playlist_bench player_cpu_probe player_stall_probe >/dev/null

LANG=ru_RU.UTF-8
export LANG
unset LC_ALL
logs="$BUILD_DIR/bench-logs"
rm -rf "$logs"

# The player's benchmarks play into a private PulseAudio server with a null sink, as the tests do.
. scripts/private-pulse.sh
start_private_pulse "bench: no private sound server; the player's figures use the backend's fallback"

set -- sh tests/support/run-under-wm.sh --timeout 1500 \
    python3 tests/bench/bench_report.py "$BUILD_DIR/tests/bench" --log "$logs" "$@"
# The program talks to the session bus; give it a private one when the caller has none.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-run-session >/dev/null; then
    set -- dbus-run-session -- "$@"
fi
# Not exec'd: the sound server is stopped when the run ends.
status=0
"$@" || status=$?
exit $status
