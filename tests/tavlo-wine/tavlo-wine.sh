#!/bin/bash
# Runs Tavlo's test build under Wine in a virtual X server, with a folder
# mapped as the removable drive P: standing in for the player (a few music
# files and an "edisk" folder) and a folder of music on drive C:.
#
#   tavlo-wine.sh checks TAVLO-CHECKS.exe TAVLO.exe TAVLO-WITHOUT-SKIN.exe
#   tavlo-wine.sh shots TAVLO-SHOTS.exe TAVLO.exe OUTPUT [COPY]
#   tavlo-wine.sh transfers TAVLO-TRANSFERS.exe TAVLO.exe OUTPUT [COPY]
#   tavlo-wine.sh show TAVLO.exe                   (the window on the caller's display)
#
# "checks" runs the start-up checks; "shots" photographs the window in
# English (with the File button's menu open, then without the player after
# a refresh) and in Chinese, and keeps the pictures as PNG files in OUTPUT
# (and COPY); "transfers" copies, deletes and drags files between the PC and
# the player and keeps its pictures (a copy under way, a context menu) the
# same way. WINEPREFIX names the prefix.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
: "${WINEPREFIX:?the caller names the Wine prefix}"
export WINEPREFIX QUELL_TEST_PLAYER=P
mode=${1:?usage: $0 checks|shots|show ...}
shift

windows_path() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }
xvfb() { xvfb-run -a -s "-screen 0 1024x768x24" bash "$root/tests/wine-ui/wine-ui.sh" "$@"; }

player="$WINEPREFIX.player"
attach_player() { bash "$root/tests/quell-wine/player-drive.sh" P "$player"; }
rm -rf "$player"
mkdir -p "$player/edisk"
for track in "01 Morning Tide:4200000" "02 Harbour Lights:6100000" "03 Salt Road:3300000" "04 Lantern:512"; do
    truncate -s "${track#*:}" "$player/${track%%:*}.mp3"
done
truncate -s 2048 "$player/edisk/notes.txt"
attach_player || exit 1
music="$WINEPREFIX/drive_c/tavlo-music"
rm -rf "$music"
mkdir -p "$music"
for track in "Anchor:2500000" "Breakwater:7300000" "Current:1200000" "Driftwood:5400000" "Estuary:300000"; do
    truncate -s "${track#*:}" "$music/${track%%:*}.mp3"
done

case "$mode" in
transfers)
    program=$1 tavlo=$2 output=$3 copy=${4:-}
    # The player without "edisk", which the first copy makes, and with
    # VOICE and a folder of the user's own.
    rm -rf "$player/edisk"
    mkdir -p "$player/VOICE" "$player/Books"
    pc="$WINEPREFIX/drive_c/tavlo-transfer"
    rm -rf "$pc"
    mkdir -p "$pc/back"
    head -c 150000 /dev/urandom >"$pc/Song.MP3"
    head -c 90000 /dev/urandom >"$pc/Drift.mp3"
    head -c 70000 /dev/urandom >"$pc/さくら.mp3"
    printf 'Bring the lantern.\r\n' >"$pc/notes.txt"
    printf '笔记\r\n' >"$pc/笔记.txt"
    work="$PWD/tavlo-transfer-pictures"
    rm -rf "$work"
    mkdir -p "$work"
    status=0
    # Wine reads the names of Unix files in the locale's character set:
    # UTF-8, for the Japanese and Chinese names.
    LC_ALL=C.UTF-8 LANG=C.UTF-8 xvfb "$program" "$(windows_path "$tavlo")" "$(windows_path "$work")" || status=1
    bash "$root/tests/wine-ui/keep-pictures.sh" "$work" "$output" "$copy" copy-in-progress context-menu || status=1
    exit "$status"
    ;;
checks)
    xvfb "$1" "$(windows_path "$2")" "$(windows_path "$3")"
    ;;
show)
    # On the X display the caller has; it ends when the window is closed.
    if [ -z "${DISPLAY:-}" ]; then
        echo "tavlo-wine: no X display to show the window on; 'shots' photographs it" >&2
        exit 2
    fi
    bash "$root/tests/wine-ui/wine-ui.sh" "$1"
    ;;
shots)
    program=$1 tavlo=$2 output=$3 copy=${4:-}
    work="$PWD/tavlo-pictures"
    rm -rf "$work"
    mkdir -p "$work"
    status=0
    # The English run asks for the player to go: the drive is taken away.
    (
        while [ ! -e "$work/done" ]; do
            if [ -e "$work/remove-player" ]; then
                rm -f "$WINEPREFIX/dosdevices/p:"
                rm -f "$work/remove-player"
            fi
            sleep 0.2
        done
    ) &
    watcher=$!
    LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 xvfb "$program" "$(windows_path "$tavlo")" "$(windows_path "$work")" \
        english menu || status=1
    attach_player || status=1
    LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 xvfb "$program" "$(windows_path "$tavlo")" "$(windows_path "$work")" \
        chinese || status=1
    touch "$work/done"
    wait "$watcher"
    rm -f "$work/done"
    bash "$root/tests/wine-ui/keep-pictures.sh" "$work" "$output" "$copy" english chinese menu no-player || status=1
    exit "$status"
    ;;
*)
    echo "tavlo-wine: unknown mode $mode" >&2
    exit 2
    ;;
esac
