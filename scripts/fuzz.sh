#!/bin/sh
# Builds every libFuzzer target with clang in the sanitized build folder (scripts/test-sanitized.sh builds and
# tests the whole tree there too) and runs each in turn.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# SECONDS is each target's run time (600 when left out); TARGET names (regfile, helpstore, ...) pick targets.
# FUZZ_JOBS targets run at once (1 when left out); each target runs on one core.
# New corpus entries go to a working copy beside the build (FUZZ_WORK_DIR), which later runs start from
# together with the seeds in tests/fuzz/corpus; the tree is never written. A crash, hang or failed check
# leaves its input in FUZZ_WORK_DIR/artifacts/<target>/ and makes the script exit 1 after the other targets.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
FUZZ_BUILD_DIR="${FUZZ_BUILD_DIR:-$ROOT/build-sanitize}"
FUZZ_JOBS="${FUZZ_JOBS:-1}"
case "$FUZZ_JOBS" in
*[!0-9]* | '' | 0)
    echo "fuzz.sh: FUZZ_JOBS must be a positive number" >&2
    exit 2
    ;;
esac
FUZZ_WORK_DIR="${FUZZ_WORK_DIR:-$FUZZ_BUILD_DIR/work}"
SECONDS_EACH=600
if [ $# -gt 0 ]; then
    case "$1" in
    *[!0-9]* | '') ;;
    *)
        SECONDS_EACH=$1
        shift
        ;;
    esac
fi
ALL_TARGETS="regfile inifile execline rtf consoleline numkeyfilter helpstore settingsvalues playlistname"
TARGETS="${*:-$ALL_TARGETS}"
for target in $TARGETS; do
    case " $ALL_TARGETS " in
    *" $target "*) ;;
    *)
        echo "fuzz.sh: no target '$target' (targets: $ALL_TARGETS)" >&2
        exit 2
        ;;
    esac
done

if [ ! -f "$FUZZ_BUILD_DIR/CMakeCache.txt" ]; then
    linker=""
    if command -v ld.lld >/dev/null; then
        linker="-fuse-ld=lld"
    fi
    cmake -S "$ROOT" -B "$FUZZ_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DTROMBUS_FUZZ=ON \
        -DCMAKE_EXE_LINKER_FLAGS="$linker" -DCMAKE_SHARED_LINKER_FLAGS="$linker" \
        -DCMAKE_MODULE_LINKER_FLAGS="$linker"
fi
for target in $TARGETS; do
    nice cmake --build "$FUZZ_BUILD_DIR" -j2 --target "${target}_fuzz"
done

# The notepad's reader makes a text document, which wants a platform plugin but no screen.
export QT_QPA_PLATFORM=offscreen
failed=""
# Runs one target; its summary and any failure go to the target's log beside the corpus.
fuzz_one() {
    target=$1
    corpus="$FUZZ_WORK_DIR/corpus/$target"
    artifacts="$FUZZ_WORK_DIR/artifacts/$target"
    log="$FUZZ_WORK_DIR/$target.log"
    mkdir -p "$corpus" "$artifacts"
    set -- -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/"
    if [ -f "$ROOT/tests/fuzz/$target.dict" ]; then
        set -- "$@" -dict="$ROOT/tests/fuzz/$target.dict"
    fi
    before=$(find "$corpus" -type f | wc -l)
    nice "$FUZZ_BUILD_DIR/tests/fuzz/${target}_fuzz" "$@" "$corpus" "$ROOT/tests/fuzz/corpus/$target" >"$log" 2>&1 ||
        return 1
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    after=$(find "$corpus" -type f | wc -l)
    echo "fuzz.sh: $target ran clean for $SECONDS_EACH s: ${runs:-?} runs, kept corpus $before -> $after entries" >&2
}

echo "fuzz.sh: $TARGETS for $SECONDS_EACH s each, $FUZZ_JOBS at a time" >&2
set -- $TARGETS
while [ $# -gt 0 ]; do
    running=""
    while [ $# -gt 0 ] && [ "$(echo $running | wc -w)" -lt "$FUZZ_JOBS" ]; do
        fuzz_one "$1" &
        running="$running $1:$!"
        shift
    done
    for job in $running; do
        target=${job%%:*}
        if ! wait "${job#*:}"; then
            echo "fuzz.sh: $target failed; input in $FUZZ_WORK_DIR/artifacts/$target, log in $FUZZ_WORK_DIR/$target.log" >&2
            tail -n 40 "$FUZZ_WORK_DIR/$target.log" >&2 || true
            failed="$failed $target"
        fi
    done
done
if [ -n "$failed" ]; then
    echo "fuzz.sh: failed:$failed" >&2
    exit 1
fi
echo "fuzz.sh: every target ran clean for $SECONDS_EACH s" >&2
