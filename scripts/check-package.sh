#!/bin/sh
# Builds the Debian package in a configured tree (scripts/setup.sh configures it; this builds what the package
# holds) and checks it with the validators a desktop and Debian apply: desktop-file-validate on the menu entry,
# appstreamcli on the metadata, lintian on the package. Lintian errors fail; its warnings and notes are shown
# (README.md says why those left stay).
# The package is left in $BUILD_DIR/package/ for `apt install ./build/package/trombus_*.deb`.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
out="$(cd "$BUILD_DIR" && pwd)/package"

# What the package holds: the program, its web engine module, and the icons and manual pages made at build time.
cmake --build "$BUILD_DIR" --target trombus trombus_install_files
rm -rf "$out"
cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$out" >"$BUILD_DIR/cpack.log" 2>&1 || {
    cat "$BUILD_DIR/cpack.log" >&2
    exit 1
}
rm -rf "$out/_CPack_Packages"
set -- "$out"/trombus_*.deb
deb=$1
echo "check-package: built $deb"
dpkg-deb --field "$deb" Package Version Depends

# The libraries must have been found by dpkg-shlibdeps, not left out.
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || {
    echo "check-package: Depends lacks the Qt libraries; did dpkg-shlibdeps run?" >&2
    exit 1
}

contents=$(mktemp -d "${TMPDIR:-/tmp}/trombus-deb.XXXXXX")
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"
desktop-file-validate "$contents"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml

# Lintian works as the superuser too but says it is not advised; that line is noise here.
status=0
lintian --fail-on error --display-info "$deb" >"$contents/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges is not recommended' "$contents/lintian.log" || true
if [ "$status" -ne 0 ]; then
    echo "check-package: lintian reports errors" >&2
    exit 1
fi
echo "check-package: the package passed desktop-file-validate, appstreamcli and lintian"
