#!/bin/sh
# Starts the installed program as a desktop starts it from the menu: the Exec line of the installed desktop
# entry, with the installation on the search paths. Then checks what an X11 desktop matches the window by: the
# window's class against StartupWMClass, and an icon from the icon theme (installed sizes above 32 px; the
# built-in picture has 32 px only).
# Runs on an X display (tests/support/run-under-wm.sh gives it one).
#
# usage: menu_entry_test.sh BUILD_DIR
set -u
build=$1
app_id=org.trombus.Trombus

work=$(mktemp -d "${TMPDIR:-/tmp}/trombus-menu.XXXXXX") || exit 1
pid=
finish() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid" 2>/dev/null
        sleep 1
        kill -KILL "$pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap finish EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 || {
    cat "$work/install.log" >&2
    fail "the install step failed"
}
desktop=$root/usr/share/applications/$app_id.desktop
entry() {
    sed -n '/^\[Desktop Entry\]/,/^\[/p' "$desktop" | sed -n "s/^$1=//p"
}
exec_line=$(entry Exec)
wm_class=$(entry StartupWMClass)
case $exec_line in
*%* | *\"* | *\'* | *\\*) fail "this test reads plain Exec lines only: '$exec_line'" ;;
esac

# A home of its own, so the user's settings are never read or written.
mkdir -p "$work/home/.config"
# shellcheck disable=SC2086 # the Exec line is split into words as a desktop splits it
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
    XDG_DATA_DIRS=$root/usr/share:/usr/share PATH=$root/usr/bin:$PATH QT_QPA_PLATFORM=xcb LANG=ru_RU.UTF-8 \
    $exec_line >"$work/program.log" 2>&1 &
pid=$!

window=
tries=0
while [ -z "$window" ] && [ $tries -lt 300 ]; do
    kill -0 "$pid" 2>/dev/null || fail "'$exec_line' ended before it showed a window"
    for candidate in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        if xprop -id "$candidate" WM_CLASS 2>/dev/null | grep -q '= "'; then
            window=$candidate
            break
        fi
    done
    [ -n "$window" ] || sleep 0.1
    tries=$((tries + 1))
done
[ -n "$window" ] || fail "'$exec_line' showed no window within 30 s"

class=$(xprop -id "$window" WM_CLASS)
instance=$(printf '%s\n' "$class" | sed -n 's/^WM_CLASS(STRING) = "\([^"]*\)".*/\1/p')
[ "$instance" = "$wm_class" ] || fail "the window's class is $class; the entry's StartupWMClass is '$wm_class'"

# _NET_WM_ICON holds width, height and that many pixels for each size the window offers.
sizes=$(xprop -id "$window" -notype 32c _NET_WM_ICON | tr ',' '\n' | awk '
    NR == 1 { sub(/.*= */, "") }
    { value[NR] = $1 + 0 }
    END { i = 1; while (i < NR) { w = value[i]; h = value[i + 1]; printf "%dx%d ", w, h; i += 2 + w * h } }')
largest=$(printf '%s' "$sizes" | tr ' ' '\n' | cut -dx -f1 | sort -n | tail -n 1)
[ "${largest:-0}" -gt 32 ] || fail "the window's icon is not the theme's: it has only the sizes $sizes"

echo "'$exec_line' started the program; its window's class and icon match the entry"
