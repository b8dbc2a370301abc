#!/bin/sh
# Installs the built tree into a private folder as the package does (prefix /usr) and checks what lands there:
# every file the desktop looks for, icons of the size their folder names, the validators desktops and software
# centres run, one version everywhere, and a program that runs from where it was put.
#
# usage: install_test.sh BUILD_DIR VERSION MODULE_FROM_PROGRAM
set -u
build=$1
version=$2
module_from_program=$3
app_id=org.trombus.Trombus

work=$(mktemp -d "${TMPDIR:-/tmp}/trombus-install.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
root=$work/root
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "FAIL: the install step failed (is the tree built? scripts/setup.sh builds everything)" >&2
    exit 1
fi
usr=$root/usr

for file in \
    bin/trombus \
    share/applications/$app_id.desktop \
    share/metainfo/$app_id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$app_id.svg \
    share/man/man1/trombus.1.gz \
    share/man/ru/man1/trombus.1.gz \
    share/doc/trombus/copyright \
    share/doc/trombus/changelog.gz; do
    [ -s "$usr/$file" ] || fail "$file is missing"
done
[ -x "$usr/bin/trombus" ] || fail "bin/trombus is not executable"

# The modules must sit where the installed program looks for them.
for module in trombus_webengine trombus_mediabackend trombus_sound trombus_pulse trombus_gnomemouse; do
    [ -f "$usr/bin/$module_from_program/$module.so" ] ||
        fail "the module $module is not at bin/$module_from_program, where the program looks"
done

# The program itself starts without the libraries its modules bring: the multimedia stack, the sound server's
# client, the network libraries the multimedia stack links and GIO.
needed=$(readelf -d "$usr/bin/trombus" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$needed" ] || fail "readelf lists no libraries the program needs"
for library in libQt6Multimedia libQt6Network libQt6WebEngine libpulse libsndfile libgio; do
    if printf '%s\n' "$needed" | grep -q "^$library"; then
        fail "the program needs $library at start-up; it belongs in a module"
    fi
done

# Each fixed-size icon: a PNG whose width and height (big-endian, bytes 17 to 24) are the folder's.
for size in 16 22 24 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    if [ ! -f "$png" ]; then
        fail "the ${size} px icon is missing"
        continue
    fi
    dimensions=$(od -An -tu1 -j16 -N8 "$png" |
        awk '{ printf "%d %d", (($1 * 256 + $2) * 256 + $3) * 256 + $4, (($5 * 256 + $6) * 256 + $7) * 256 + $8 }')
    [ "$dimensions" = "$size $size" ] || fail "the ${size} px icon measures $dimensions"
done

desktop=$usr/share/applications/$app_id.desktop
if ! desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || [ -s "$work/desktop.log" ]; then
    cat "$work/desktop.log" >&2
    fail "desktop-file-validate does not accept the desktop entry"
fi
if ! appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml" >"$work/appstream.log" 2>&1; then
    cat "$work/appstream.log" >&2
    fail "appstreamcli does not accept the metadata"
fi

# The entry starts the installed program by name, and names the icon and window class the program uses.
key() {
    sed -n '/^\[Desktop Entry\]/,/^\[/p' "$desktop" | sed -n "s/^$1=//p"
}
[ "$(key Exec)" = trombus ] || fail "Exec is '$(key Exec)', not the installed program"
[ "$(key TryExec)" = trombus ] || fail "TryExec is '$(key TryExec)'"
[ "$(key Icon)" = $app_id ] || fail "Icon is '$(key Icon)', not the icon's name $app_id"
# Qt names a window's class instance after the program's file name.
[ "$(key StartupWMClass)" = trombus ] || fail "StartupWMClass is '$(key StartupWMClass)'"
metainfo=$usr/share/metainfo/$app_id.metainfo.xml
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metadata's id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $app_id.desktop"

# One version everywhere: the build, the program, the newest release of the metadata, the package changelog.
program_version=$("$usr/bin/trombus" --version)
[ "$program_version" = "trombus $version" ] || fail "the installed program says '$program_version'"
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$release" = "$version" ] || fail "the newest release in the metadata is '$release', the build is $version"
changelog=$(gzip -dc "$usr/share/doc/trombus/changelog.gz" | head -n 1 | sed -n 's/^trombus (\([^)]*\)).*/\1/p')
[ "$changelog" = "$version" ] || fail "the newest changelog entry is '$changelog', the build is $version"
for page in man1/trombus.1.gz ru/man1/trombus.1.gz; do
    gzip -dc "$usr/share/man/$page" | head -n 1 | grep -q "\"trombus $version\"" ||
        fail "the manual page $page does not carry version $version"
done

# An installed program must not look into the build folder for its libraries.
if readelf -d "$usr/bin/trombus" | grep -Eq 'RPATH|RUNPATH'; then
    fail "the installed program keeps a library search path: $(readelf -d "$usr/bin/trombus" | grep -E 'RPATH|RUNPATH')"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the installation passed every check"
