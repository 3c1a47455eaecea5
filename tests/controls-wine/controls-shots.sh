#!/bin/bash
# A picture of Tavlo's skinned controls: runs controls-shots under Wine in a
# virtual X server and keeps the picture as a PNG file in OUTPUT (and, when
# COPY is given, in COPY as well). Fails when the program fails or the
# picture is missing.
#
#   controls-shots.sh CONTROLS-SHOTS.exe OUTPUT [COPY]      (WINEPREFIX names the prefix)
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
if [ $# -lt 2 ]; then
    echo "usage: $0 CONTROLS-SHOTS.exe OUTPUT [COPY]" >&2
    exit 2
fi
program="$1"
output="$2"
copy="${3:-}"
: "${WINEPREFIX:?the caller names the Wine prefix}"

exec bash "$root/tests/wine-ui/take-pictures.sh" "$program" "$PWD/controls-pictures" "$output" "$copy" controls
