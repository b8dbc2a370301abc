#!/bin/sh
# Builds the whole program, its suite and the fuzz targets a second time with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in a folder of its own, runs every test there, then each fuzz target for a short
# time from its seeds.
#   scripts/test-sanitized.sh [FUZZ_SECONDS]
# FUZZ_SECONDS is each fuzz target's run time (30 when left out, 0 skips fuzzing). SANITIZE_BUILD_DIR picks the
# folder (build-sanitize). Run it standalone or from scripts/test.sh, whose private session bus, null sound sink,
# Russian settings and headless platform it uses when they are already there. Exits non-zero on any failure.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
SANITIZE_BUILD_DIR="${SANITIZE_BUILD_DIR:-$ROOT/build-sanitize}"
FUZZ_SECONDS="${1:-30}"
case "$FUZZ_SECONDS" in
*[!0-9]* | '')
    echo "test-sanitized.sh: FUZZ_SECONDS must be a number of seconds" >&2
    exit 2
    ;;
esac

# Stop at the first report of either sanitizer, with the stack that led there. Leaks inside libraries this build
# does not instrument are listed, each with its reason, in the suppressions file.
export ASAN_OPTIONS="halt_on_error=1:print_stacktrace=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$ROOT/tests/sanitizers/lsan.supp:print_suppressions=0"

started=$(date +%s)
# lld links the many test programs in a fraction of the default linker's time.
linker=""
if command -v ld.lld >/dev/null; then
    linker="-fuse-ld=lld"
fi
if [ ! -f "$SANITIZE_BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$SANITIZE_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DTROMBUS_FUZZ=ON -DTROMBUS_TESTS=ON \
        -DCMAKE_EXE_LINKER_FLAGS="$linker" -DCMAKE_SHARED_LINKER_FLAGS="$linker" \
        -DCMAKE_MODULE_LINKER_FLAGS="$linker"
fi
# The test programs list their cases while they are built, so the sanitizers' settings hold for the build too.
nice cmake --build "$SANITIZE_BUILD_DIR" -j2
built=$(date +%s)
echo "test-sanitized.sh: built in $((built - started)) s" >&2

# Every test runs here; the few with needs of their own set them in tests/gui/CMakeLists.txt. The suite runs
# under the environment scripts/test.sh makes; run standalone, this goes through scripts/test.sh for it.
# The fuzz targets run even when a test failed, so one run shows every failure.
status=0
if [ -n "${TROMBUS_SUITE_ONLY:-}" ] || [ -n "${TROMBUS_PULSE_DIR:-}" ]; then
    ctest --test-dir "$SANITIZE_BUILD_DIR" --output-on-failure -j2 || status=1
else
    BUILD_DIR="$SANITIZE_BUILD_DIR" TROMBUS_SUITE_ONLY=1 "$ROOT/scripts/test.sh" || status=1
fi
tested=$(date +%s)
echo "test-sanitized.sh: suite ran in $((tested - built)) s" >&2

if [ "$FUZZ_SECONDS" -gt 0 ]; then
    FUZZ_BUILD_DIR="$SANITIZE_BUILD_DIR" FUZZ_JOBS=2 "$ROOT/scripts/fuzz.sh" "$FUZZ_SECONDS" || status=1
    echo "test-sanitized.sh: fuzzing ran in $(($(date +%s) - tested)) s" >&2
fi
exit $status
