#!/bin/sh
# `trombus --help` as a user runs it: in Russian under Russian settings, in English otherwise, on standard output,
# with no display needed (it answers before any window exists), and listing every argument the program knows.
#
# usage: help_test.sh PROGRAM
set -u
program=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/trombus-help.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# check LABEL EXPECTED_USAGE_LINE ENVIRONMENT...
check() {
    label=$1
    usage=$2
    shift 2
    # No display and the X11 platform: making the application object would fail.
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LC_CTYPE \
        QT_QPA_PLATFORM=xcb "$@" "$program" --help 2>"$work/stderr")
    status=$?
    errors=$(cat "$work/stderr")
    [ $status -eq 0 ] || fail "$label: exit status $status"
    [ -z "$errors" ] || fail "$label: wrote to standard error: $errors"
    printf '%s\n' "$output" | grep -qxF "$usage" || fail "$label: no line '$usage' in:
$output"
    for argument in quartzite --version --help; do
        printf '%s\n' "$output" | grep -qE "^  $argument([ ,]|$)" || fail "$label: '$argument' is not listed"
    done
}

russian="Использование: trombus [quartzite | --version | --help]"
english="Usage: trombus [quartzite | --version | --help]"
check "Russian" "$russian" LANG=ru_RU.UTF-8
check "Russian from LC_ALL" "$russian" LANG=C LC_ALL=ru_RU.UTF-8
check "English" "$english" LANG=en_US.UTF-8
check "C locale" "$english" LANG=C
check "English preferred by LANGUAGE" "$english" LANG=ru_RU.UTF-8 LANGUAGE=en

[ "$failures" -eq 0 ] || exit 1
echo "--help answers in both languages"
