#!/bin/bash
# Pictures of Quell's windows in English and in Chinese (PRC): runs
# quell-shots (linked with Quell's test build) under Wine in a virtual X
# server for each system language, with a Wine drive standing in for the
# player, and keeps the pictures as PNG files in OUTPUT/<language>/ (and,
# when COPY is given, in COPY/<language>/ as well). Fails when the program
# fails or a picture is missing.
#
#   quell-shots.sh QUELL-SHOTS.exe OUTPUT [COPY]      (WINEPREFIX names the prefix)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
if [ $# -lt 2 ]; then
    echo "usage: $0 QUELL-SHOTS.exe OUTPUT [COPY]" >&2
    exit 2
fi
program="$1"
output="$2"
copy="${3:-}"
: "${WINEPREFIX:?the caller names the Wine prefix}"

bash "$here/player-drive.sh" P "$WINEPREFIX.player" || exit 1
export QUELL_TEST_PLAYER=P

status=0
for entry in english:en_US.UTF-8 chinese:zh_CN.UTF-8; do
    language="${entry%%:*}"
    echo "quell-shots: $language"
    # Wine takes the system language from the locale it starts in; a
    # running Wine server keeps the one it started with.
    wineserver -k 2>/dev/null || true
    LC_ALL="${entry#*:}" LANG="${entry#*:}" bash "$root/tests/wine-ui/take-pictures.sh" "$program" \
        "$PWD/quell-pictures-$language" "$output/$language" "${copy:+$copy/$language}" \
        search found shaped-window || status=1
done
exit "$status"
