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

work="$PWD/controls-pictures"
rm -rf "$work"
mkdir -p "$work"
status=0
if ! xvfb-run -a -s "-screen 0 1024x768x24" bash "$root/tests/wine-ui/wine-ui.sh" "$program" "Z:${work//\//\\}"; then
    echo "controls-shots: the run failed" >&2
    status=1
fi
bash "$root/tests/wine-ui/keep-pictures.sh" "$work" "$output" "$copy" controls || status=1
exit "$status"
