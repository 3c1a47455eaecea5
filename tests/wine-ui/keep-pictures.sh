#!/bin/bash
# Keeps the pictures a screenshot run left as BMP files in WORK: each becomes
# a PNG file in OUTPUT (made afresh), and in COPY too when COPY is not empty.
# Fails when a picture named is missing or cannot be converted.
#
#   keep-pictures.sh WORK OUTPUT COPY PICTURE...
set -uo pipefail
work=$1
output=$2
copy=$3
shift 3

status=0
rm -rf "${output:?}"
mkdir -p "$output"
for bmp in "$work"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "$output/$(basename "${bmp%.bmp}").png" || status=1
done
for picture in "$@"; do
    if [ ! -s "$output/$picture.png" ]; then
        echo "keep-pictures: no picture of $picture in $output" >&2
        status=1
    fi
done
if [ -n "$copy" ]; then
    rm -rf "${copy:?}"
    mkdir -p "$copy"
    cp "$output"/*.png "$copy/" 2>/dev/null || true
fi
exit "$status"
