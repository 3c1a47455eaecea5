#!/bin/bash
# Runs tavlo-media (preview, format, text to speech, help) against Tavlo's
# test build under Wine in a virtual X server. The player is a folder mapped
# as the removable drive P: holding two short MP3 files; ALSA's default
# device is its null one, so Wine's MCI window plays them; the stand-in
# text-to-speech program is installed in a folder with blanks and
# registered under App Paths; help.chm lies beside Tavlo.exe.
#
#   tavlo-media.sh TAVLO-MEDIA.exe TAVLO.exe SPEECH-STAND-IN.exe MP3-FILE OUTPUT [COPY]
#
# The pictures are kept as PNG files in OUTPUT (and COPY). WINEPREFIX names
# the prefix.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
: "${WINEPREFIX:?the caller names the Wine prefix}"
export WINEPREFIX QUELL_TEST_PLAYER=P
program=$1 tavlo=$2 speech=$3 mp3=$4 output=$5 copy=${6:-}

windows_path() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }
wine_reg() { WINE_TEST_REPORT='' bash "$root/tools/wine-test.sh" reg add "$@" /f >/dev/null; }

# Wine's sound goes to ALSA's null device.
home="$WINEPREFIX.media-home"
mkdir -p "$home"
echo 'pcm.!default { type null }' >"$home/.asoundrc"
export HOME="$home"

player="$WINEPREFIX.media-player"
rm -rf "$player"
mkdir -p "$player"
cp "$mp3" "$player/01 Chime.mp3"
cp "$mp3" "$player/02 Bells.mp3"
bash "$root/tests/quell-wine/player-drive.sh" P "$player" || exit 1

installed="$WINEPREFIX/drive_c/Program Files/Zizivazo TTS"
mkdir -p "$installed"
cp "$speech" "$installed/ZUZUVURA_1.exe"
wine_reg 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\ZUZUVURA_1.exe' /v Path \
    /d 'C:\Program Files\Zizivazo TTS'
rm -rf "$WINEPREFIX/drive_c/tts-out"

work="$PWD/tavlo-media-pictures"
rm -rf "$work"
mkdir -p "$work"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash "$root/tests/wine-ui/wine-ui.sh" "$program" \
    "$(windows_path "$tavlo")" 'P:' "$(windows_path "$work")" || status=1
bash "$root/tests/wine-ui/keep-pictures.sh" "$work" "$output" "$copy" preview-playing format speech-import help ||
    status=1
exit "$status"
