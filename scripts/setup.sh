#!/bin/sh
# Installs what building and testing Тромбус needs on Debian 12, then configures and builds the program (and the
# web engine module it loads); scripts/test.sh builds the tests.
# Safe to repeat: apt is only called when a package is missing, and the build is incremental.
set -eu
cd "$(dirname "$0")/.."

PACKAGES="
cmake ninja-build g++ pkg-config
qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libgl-dev libxkbcommon-dev libvulkan-dev
qt6-multimedia-dev qt6-webengine-dev
gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly
gstreamer1.0-libav gstreamer1.0-pulseaudio gstreamer1.0-tools timgm6mb-soundfont
libpulse-dev libx11-dev libxtst-dev libxi-dev libglib2.0-dev gsettings-desktop-schemas
googletest libgtest-dev libgmock-dev libbenchmark-dev
pulseaudio pulseaudio-utils dbus xauth xvfb
locales qt6-translations-l10n openbox x11-utils xdotool
x11-xserver-utils x11-xkb-utils xkb-data adwaita-icon-theme shared-mime-info
weston qt6-wayland
unrtf poppler-utils clang libclang-rt-dev lld
libreoffice-writer-nogui
librsvg2-bin dpkg-dev file lintian appstream desktop-file-utils
g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64
"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi

# Our users run Russian regional settings, and so does the test suite.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    sed -i 's/^# *\(ru_RU\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU\.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi

# A package that adds icons after the icon cache was written leaves the cache older than its folders; Qt then
# ignores the cache and looks for every icon on disk, which makes each window start several times slower.
for cache in /usr/share/icons/*/icon-theme.cache; do
    theme=${cache%/icon-theme.cache}
    if [ -f "$cache" ] && command -v gtk-update-icon-cache >/dev/null &&
        [ -n "$(find "$theme" -type d -newer "$cache" | head -n 1)" ]; then
        gtk-update-icon-cache -q -f "$theme" || echo "setup: could not refresh $cache" >&2
    fi
done

BUILD_DIR="${BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" --target trombus
