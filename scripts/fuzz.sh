#!/bin/sh
# Builds every libFuzzer target with clang in a build folder of its own and runs each in turn.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# SECONDS is each target's run time (600 when left out); TARGET names (regfile, helpstore, ...) pick targets.
# New corpus entries go to a working copy beside the build (FUZZ_WORK_DIR), which later runs start from
# together with the seeds in tests/fuzz/corpus; the tree is never written. A crash, hang or failed check
# leaves its input in FUZZ_WORK_DIR/artifacts/<target>/ and makes the script exit 1 after the other targets.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
FUZZ_BUILD_DIR="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
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
    cmake -S "$ROOT" -B "$FUZZ_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTROMBUS_FUZZ=ON -DTROMBUS_TESTS=OFF
fi
for target in $TARGETS; do
    nice cmake --build "$FUZZ_BUILD_DIR" --target "${target}_fuzz"
done

# The notepad's reader makes a text document, which wants a platform plugin but no screen.
export QT_QPA_PLATFORM=offscreen
failed=""
for target in $TARGETS; do
    corpus="$FUZZ_WORK_DIR/corpus/$target"
    artifacts="$FUZZ_WORK_DIR/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    set -- -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/"
    if [ -f "$ROOT/tests/fuzz/$target.dict" ]; then
        set -- "$@" -dict="$ROOT/tests/fuzz/$target.dict"
    fi
    echo "fuzz.sh: $target for $SECONDS_EACH s" >&2
    log="$FUZZ_WORK_DIR/$target.log"
    if "$FUZZ_BUILD_DIR/tests/fuzz/${target}_fuzz" "$@" "$corpus" "$ROOT/tests/fuzz/corpus/$target" >"$log" 2>&1; then
        grep -E '^Done [0-9]+ runs' "$log" >&2 || true
    else
        echo "fuzz.sh: $target failed; input in $artifacts, log in $log" >&2
        failed="$failed $target"
    fi
done
if [ -n "$failed" ]; then
    echo "fuzz.sh: failed:$failed" >&2
    exit 1
fi
echo "fuzz.sh: every target ran clean for $SECONDS_EACH s" >&2
