#!/bin/bash
# Runs a picture-taking test program under Wine in a virtual X server, with
# a fresh folder WORK for the pictures it leaves as BMP files, and keeps
# them as PNG files in OUTPUT (and in COPY too when COPY is not empty).
# Fails when the program fails or a picture named is missing. The caller's
# environment (WINEPREFIX, the locale, QUELL_TEST_PLAYER) passes through.
#
#   take-pictures.sh PROGRAM.exe WORK OUTPUT COPY PICTURE...
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program=$1
work=$2
output=$3
copy=$4
shift 4

rm -rf "$work"
mkdir -p "$work"
status=0
if ! xvfb-run -a -s "-screen 0 1024x768x24" bash "$here/wine-ui.sh" "$program" "Z:${work//\//\\}"; then
    echo "$(basename "$program"): the run failed" >&2
    status=1
fi
bash "$here/keep-pictures.sh" "$work" "$output" "$copy" "$@" || status=1
exit "$status"
