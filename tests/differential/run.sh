#!/bin/sh
# Runs the differential program of the INI file and registry services natively (the Linux services) and under
# Wine (the Windows services, and the Windows calls made directly), then compares the transcripts:
#   Linux services  against Windows services: only the differences in deliberate.txt may remain;
#   Windows services against the calls alone: only those in deliberate-calls.txt may remain.
#
#   tests/differential/run.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR
#
# The Wine prefix is $WINEPREFIX, by default WINDOWS_BUILD_DIR/wineprefix (scripts/test-windows.sh makes it).
# Transcripts and the stores the program wrote stay in WINDOWS_BUILD_DIR/differential for a look afterwards.
# Exits non-zero on an unlisted difference or when a program fails.
set -eu
if [ $# -ne 2 ]; then
    echo "usage: $0 NATIVE_BUILD_DIR WINDOWS_BUILD_DIR" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)

# Both builds make the programs as part of their whole; the Windows build and its prefix belong to
# scripts/test-windows.sh, which calls this script once they are ready.
linux_program="$native/tests/differential/trombus_differential"
compare="$native/tests/differential/trombus_differential_compare"
windows_program="$windows/tests/differential/trombus_differential.exe"
export WINEPREFIX="${WINEPREFIX:-$windows/wineprefix}"
if [ ! -x "$linux_program" ] || [ ! -x "$compare" ]; then
    nice cmake --build "$native" --target trombus_differential trombus_differential_compare
fi
for needed in "$windows_program" "$WINEPREFIX/system.reg"; do
    if [ ! -f "$needed" ]; then
        echo "run.sh: $needed is missing; scripts/test-windows.sh builds the Windows side and makes its prefix" >&2
        exit 1
    fi
done

export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
unset DISPLAY WAYLAND_DISPLAY
# Under Russian regional settings Wine's ANSI code page is Windows-1251, the code page of the program's older
# INI files; one case reads such a file on both sides.
export LC_ALL=ru_RU.UTF-8

out="$windows/differential"
rm -rf "$out"
mkdir -p "$out"
cd "$out"

status=0
timeout 120 "$linux_program" service linux-work linux.txt || {
    echo "run.sh: the Linux program failed" >&2
    exit 1
}
# Wine takes the folder it was started in as the current one, so relative names reach the same files.
for implementation in service direct; do
    timeout 300 wine "$windows_program" "$implementation" "windows-$implementation-work" \
        "windows-$implementation.txt" || {
        echo "run.sh: the Windows program ($implementation) failed under Wine" >&2
        exit 1
    }
done

"$compare" linux linux.txt windows windows-service.txt "$here/deliberate.txt" || status=1
"$compare" service windows-service.txt calls windows-direct.txt "$here/deliberate-calls.txt" || status=1
exit $status
