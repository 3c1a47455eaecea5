#!/bin/bash
# A picture of Tavlo's shell views under Wine: runs views-shots (linked with
# Quell's test build) in a virtual X server with a Wine drive standing in
# for the player, holding a few music files, and keeps the picture as a PNG
# file in OUTPUT (and in COPY as well, when given).
#
#   views-shots.sh VIEWS-SHOTS.exe OUTPUT [COPY]      (WINEPREFIX names the prefix)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
if [ $# -lt 2 ]; then
    echo "usage: $0 VIEWS-SHOTS.exe OUTPUT [COPY]" >&2
    exit 2
fi
program="$1"
output="$2"
copy="${3:-}"
: "${WINEPREFIX:?the caller names the Wine prefix}"

player="$WINEPREFIX.player"
rm -rf "$player"
mkdir -p "$player/edisk"
for track in "01 Morning Tide:4200000" "02 Harbour Lights:6100000" "03 Salt Road:3300000" "04 Lantern:512"; do
    truncate -s "${track#*:}" "$player/${track%%:*}.mp3"
done
truncate -s 2048 "$player/edisk/notes.txt"
bash "$root/tests/quell-wine/player-drive.sh" P "$player" || exit 1
export QUELL_TEST_PLAYER=P

exec bash "$root/tests/wine-ui/take-pictures.sh" "$program" "$PWD/views-pictures" "$output" "$copy" views
