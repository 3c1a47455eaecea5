#!/bin/bash
# Pictures of the updater's windows in English and in Japanese: runs the
# screenshot program under Wine in a virtual X server for each language and
# keeps its pictures as PNG files in OUTPUT/<language>/ (and, when COPY is
# given, in COPY/<language>/ as well). Fails when the program fails or a
# picture is missing.
#
#   screenshots.sh CADDIS-SIM.exe OUTPUT [COPY]
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ $# -lt 2 ]; then
    echo "usage: $0 CADDIS-SIM.exe OUTPUT [COPY]" >&2
    exit 2
fi
program="$1"
output="$2"
copy="${3:-}"

pictures=(search download details about format-question download-done message message-details)
status=0
for entry in english:0x0409 japanese:0x0411; do
    language="${entry%%:*}"
    work="$PWD/pictures-$language"
    rm -rf "$work"
    mkdir -p "$work"
    echo "screenshots: $language"
    if ! xvfb-run -a -s "-screen 0 1024x768x24" \
            bash "$here/wine-ui.sh" "$program" --language "${entry#*:}" --player old --pictures "$work"; then
        echo "screenshots: the $language run failed" >&2
        status=1
    fi

    bash "$here/keep-pictures.sh" "$work" "$output/$language" "${copy:+$copy/$language}" "${pictures[@]}" || status=1
done
exit "$status"
