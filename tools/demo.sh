#!/bin/bash
# Sets up, builds the native tree and runs the main job: caddis updates a
# simulated player with old firmware and files on its data drive, formatting
# the data drive as it goes; then the player is shown as player-sim sees it
# and its data volume is checked by fsck.fat. The player stays in
# build/demo/player.state for further runs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

bash "$root/tools/setup.sh"
bash "$root/tools/build.sh" native
bin="$root/build/native/bin"

demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo/music"
echo "volume=12 equaliser=rock" >"$demo/music/SETTINGS.DAT"
printf 'Lumo sample track %02d\n' 1 >"$demo/music/TRACK01.MP3"
printf 'Lumo sample track %02d\n' 2 >"$demo/music/TRACK02.MP3"
echo "Notes on the player" >"$demo/music/NOTES.TXT"
player="$demo/player.state"
"$bin/player-sim" create "$player" --firmware old --data-files "$demo/music"

data_volume() {
  "$bin/player-sim" export-data "$player" "$demo/data.img"
  local offset
  offset="$("$bin/player-sim" info "$player" | sed -n 's/^data volume offset: //p')"
  dd if="$demo/data.img" of="$demo/volume.img" bs=512 skip=$((offset / 512)) status=none
}

echo
echo "=== The player's data drive before the update"
data_volume
mdir -i "$demo/volume.img" ::

echo
echo "=== CADDIS_PLAYER=$player caddis -silent -format"
CADDIS_PLAYER="$player" "$bin/caddis" -silent -format

echo
echo "=== player-sim info $player"
"$bin/player-sim" info "$player"

echo
echo "=== fsck.fat -n on the data volume"
echo "(fsck.fat remarks on the volume label the formatter leaves as 11 zero bytes and, on FAT32,"
echo " on the free cluster count it leaves unknown; the FAT layout allows both)"
data_volume
fsck.fat -n "$demo/volume.img" || true
mdir -i "$demo/volume.img" ::

echo
echo "Run it again without -format for a plain download:"
echo "  CADDIS_PLAYER=$player $bin/caddis -silent"
