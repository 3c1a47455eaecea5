#!/bin/bash
# Gives a Wine prefix a removable drive that stands in for the player: the
# folder FOLDER as drive LETTER, listed under My Computer, taking the shell's
# file copies. Quell's test build identifies the drive named by
# QUELL_TEST_PLAYER as the player. A command given after the folder runs
# once the drive is there, and its status is returned.
#
#   player-drive.sh LETTER FOLDER [COMMAND...]      (WINEPREFIX names the prefix)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
: "${WINEPREFIX:?the caller names the Wine prefix}"
letter=$(echo "$1" | tr 'A-Z' 'a-z')
folder=$2
shift 2

mkdir -p "$folder"
# The prefix is made on its first use.
WINE_TEST_REPORT='' bash "$root/tools/wine-test.sh" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d floppy /f >/dev/null
ln -sfn "$folder" "$WINEPREFIX/dosdevices/$letter:"
wineserver -w
[ $# -eq 0 ] || exec "$@"
