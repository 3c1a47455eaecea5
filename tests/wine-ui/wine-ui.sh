#!/bin/bash
# Runs one Windows program that shows windows under Wine, for pictures of
# them and checks on them; run it under xvfb-run.
#
#   wine-ui.sh PROGRAM.exe [ARGUMENTS...]
#
# The Wine prefix (WINEPREFIX) gets, once, what pictures of windows need:
# a desktop of Wine's own, so that windows have their title bars and frames
# without a window manager and the foreground window is Wine's to decide; the
# CJK font linked to the dialog fonts, so that Asian texts show instead of
# boxes; and two of Wine's own fonts, which this Wine looks for in the prefix
# only: the symbols of the title bar buttons and the dialog face. Its bold
# face stays out: the linked CJK font does not take to it, while the bold
# Wine makes from the regular face does (window titles). The program's status
# is returned once the Wine server has ended, while the display is still
# there for its desktop to end cleanly.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
: "${WINEPREFIX:?the caller names the Wine prefix}"
export WINEPREFIX WINEDEBUG=-all

ready="$WINEPREFIX/.vr-ui-ready"
if [ ! -f "$ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 8>"$WINEPREFIX.ui-lock"
    flock 8
    if [ ! -f "$ready" ]; then
        # reg writes no test report, whatever the program's run is to write.
        wine_reg() { WINE_TEST_REPORT='' bash "$root/tools/wine-test.sh" reg add "$@" /f >/dev/null; }
        wine_reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
        wine_reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
        for face in "Microsoft Sans Serif" "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma"; do
            wine_reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
                /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei'
        done
        cp /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        wineserver -w
        touch "$ready"
    fi
    flock -u 8
    exec 8>&-
fi

status=0
bash "$root/tools/wine-test.sh" "$@" || status=$?
wineserver -w
exit "$status"
