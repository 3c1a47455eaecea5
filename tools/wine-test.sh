#!/bin/bash
# Runs one Windows test program under Wine and returns its exit code.
#
#   wine-test.sh PROGRAM.exe [ARGUMENTS...]
#
# The Wine prefix is WINEPREFIX (the build tree sets it to a folder of its own);
# it is made on first use and reused after that, since making one takes about
# half a minute. Tests started side by side wait for each other only while the
# prefix is being made. No display is needed unless the program opens windows,
# in which case the caller runs this script under xvfb-run.
#
# WINEARCH (the build tree sets it) says which Wine: win32 (the default) for
# the 32-bit programs, win64 for the 64-bit test tree, run by the 64-bit
# loader directly, since Debian's wine script would pick the 32-bit one
# wherever it is installed, even on a machine that cannot execute it.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 PROGRAM.exe [ARGUMENTS...]" >&2
    exit 2
fi

: "${WINEPREFIX:=$PWD/wine-prefix}"
: "${WINEARCH:=win32}"
case "$WINEARCH" in
    win32) wine=wine ;;
    win64) wine=/usr/lib/wine/wine64
           export WINELOADER=$wine ;;
    *) echo "wine-test: unknown WINEARCH '$WINEARCH'" >&2; exit 2 ;;
esac
export WINEPREFIX WINEARCH
export WINEDEBUG=-all
# There is no network for Wine's Mono and Gecko installers, and a test machine
# wants no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

ready="$WINEPREFIX/.vr-prefix-ready"
if [ ! -f "$ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$ready" ]; then
        # Wine stamps a prefix only once it is complete, so wineboot also
        # finishes one that an interrupted run left half-made.
        started=$SECONDS
        "$wine" wineboot -i >/dev/null 2>&1
        wineserver -w
        touch "$ready"
        echo "wine-test: made the Wine prefix $WINEPREFIX in $((SECONDS - started)) s" >&2
    fi
    flock -u 9
    exec 9>&-
fi

# A program that crashes under Wine may still end with status 0. When the
# caller names the report the program writes as it finishes (a test
# program's XML report), a run that does not write it has failed.
if [ -n "${WINE_TEST_REPORT:-}" ]; then
    rm -f "$WINE_TEST_REPORT"
fi
status=0
"$wine" "$@" || status=$?
if [ "$status" -eq 0 ] && [ -n "${WINE_TEST_REPORT:-}" ] && [ ! -s "$WINE_TEST_REPORT" ]; then
    echo "wine-test: $1 ended without writing $WINE_TEST_REPORT: it did not run to its end" >&2
    status=1
fi
exit "$status"
