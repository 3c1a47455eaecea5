#!/bin/bash
# player-sim end to end: an old player shows versions one minor number below
# the shipped files, the data drive goes out to an image and back, a folder's
# files land on a FAT volume that fsck.fat and mtools accept, and bad requests
# exit with the documented statuses.
# Usage: player-sim-smoke.sh PLAYER_SIM (the shipped files lie beside it)
set -u
tool="$1"
bin="$(dirname "$tool")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$tool" create "$work/old.state" --flash-mib 32 --firmware old || fail "create old"
"$tool" info "$work/old.state" > "$work/info.txt" || fail "info"
grep -q '^mode: mass-storage$' "$work/info.txt" || fail "mode line"
grep -q '^drive count: 5$' "$work/info.txt" || fail "five drives"

# Each component's drive carries the file's versions with the minor number lowered.
for entry in bootmanager.sb:0x50 usbmsc.sb:0x01 vrxasys.sb:0x00 resource.bin:0x02; do
  file="${entry%%:*}"; tag="${entry##*:}"
  shipped=$(grep -a -m1 'Component Version:' "$bin/$file" | sed 's/.*Component Version: *\([0-9.]*\).*/\1/')
  product=$(grep -a -m1 'Product Version:' "$bin/$file" | sed 's/.*Product Version: *\([0-9.]*\).*/\1/')
  older() { echo "$1" | awk -F. '{ print $1 "." $2 - 1 "." $3 }'; }
  number=$(grep "tag: $tag\$" "$work/info.txt" | sed 's/^drive \([0-9]*\) tag.*/\1/')
  [ -n "$number" ] || { fail "no drive with tag $tag"; continue; }
  grep -qx "drive $number component version: $(older "$shipped")" "$work/info.txt" ||
    fail "$file: component version is not $(older "$shipped")"
  grep -qx "drive $number product version: $(older "$product")" "$work/info.txt" ||
    fail "$file: product version is not $(older "$product")"
done

# The data drive out and back: a changed image comes back changed.
"$tool" export-data "$work/old.state" "$work/data.img" || fail "export"
size=$(grep "^drive $(sed -n 's/^data drive: //p' "$work/info.txt") size: " "$work/info.txt" | sed 's/.*: //')
[ "$(stat -c %s "$work/data.img")" = "$size" ] || fail "image size is not the drive's $size"
printf 'hello player' | dd of="$work/data.img" bs=1 seek=4096 conv=notrunc status=none
"$tool" import-data "$work/old.state" "$work/data.img" || fail "import"
"$tool" export-data "$work/old.state" "$work/again.img" || fail "export again"
cmp -s "$work/data.img" "$work/again.img" || fail "the imported image did not come back"

# A formatted data drive holding the files of a folder, readable by FAT tools.
mkdir "$work/files"
printf 'volume %s\n' 3 > "$work/files/SETTINGS.DAT"
head -c 70000 /dev/urandom > "$work/files/A Long Song Name.mp3"
"$tool" create "$work/current.state" --flash-mib 32 --firmware current --table unreadable \
  --data-files "$work/files" || fail "create current with files"
"$tool" export-data "$work/current.state" "$work/files.img" || fail "export files"
start=$(od -An -tu4 -j454 -N4 "$work/files.img" | tr -d ' ')
dd if="$work/files.img" of="$work/volume.img" bs=512 skip="$start" status=none
fsck.fat -n "$work/volume.img" > /dev/null || fail "fsck.fat finds the volume damaged"
export MTOOLS_SKIP_CHECK=1
mtype -i "$work/volume.img" ::/SETTINGS.DAT | cmp -s - "$work/files/SETTINGS.DAT" || fail "SETTINGS.DAT differs"
mcopy -i "$work/volume.img" "::/A Long Song Name.mp3" "$work/song.mp3" &&
  cmp -s "$work/song.mp3" "$work/files/A Long Song Name.mp3" || fail "the long-named file differs"
"$tool" info "$work/current.state" | grep -q '^table: unreadable$' || fail "table flag"

# A player whose mass-storage firmware is gone says so, its drive erased.
"$tool" create "$work/rec.state" --flash-mib 32 --firmware current --mode recovery || fail "create recovery"
"$tool" info "$work/rec.state" > "$work/rec.txt" || fail "info recovery"
grep -q '^mode: recovery$' "$work/rec.txt" || fail "recovery mode line"
msc=$(grep 'tag: 0x01$' "$work/rec.txt" | sed 's/^drive \([0-9]*\) tag.*/\1/')
grep -qx "drive $msc component version: 0.0.0" "$work/rec.txt" || fail "the firmware drive was not erased"

# A data drive of an exact size, and one the flash cannot hold.
"$tool" create "$work/exact.state" --flash-mib 32 --firmware current --data-sectors 40000 || fail "create exact"
data=$(sed -n 's/^data drive: //p' < <("$tool" info "$work/exact.state"))
"$tool" info "$work/exact.state" | grep -qx "drive $data size: $((40000 * 512))" || fail "data drive not 40000 sectors"
"$tool" create "$work/x.state" --flash-mib 16 --firmware current --data-sectors 40000 2> "$work/err.txt"
[ $? = 1 ] && grep -q 'cannot hold a data drive of 40000 sectors' "$work/err.txt" || fail "too large a data drive"

# Errors: 1 for failures, 2 for usage.
status() { "$tool" "$@" 2> /dev/null; echo $?; }
[ "$(status create "$work/x.state" --firmware old --components "$work")" = 1 ] || fail "missing files: status 1"
[ "$(status info "$work/none.state")" = 1 ] || fail "missing state: status 1"
head -c 100 "$work/old.state" > "$work/cut.state"
[ "$(status info "$work/cut.state")" = 1 ] || fail "truncated state: status 1"
truncate -s 1000 "$work/data.img"
[ "$(status import-data "$work/old.state" "$work/data.img")" = 1 ] || fail "short image: status 1"
mkdir "$work/files/folder"
[ "$(status create "$work/x.state" --firmware current --data-files "$work/files")" = 1 ] || fail "a folder: status 1"
[ "$(status create "$work/x.state" --data-files "$work/files")" = 1 ] || fail "files without a data drive: status 1"
[ "$(status frobnicate "$work/old.state")" = 2 ] || fail "unknown command: status 2"
[ "$(status create "$work/x.state" --firmware new)" = 2 ] || fail "bad choice: status 2"
[ "$(status create "$work/x.state" --flash-mib 0)" = 2 ] || fail "bad number: status 2"
[ "$(status create "$work/x.state" --mode broken)" = 2 ] || fail "bad mode: status 2"
[ "$(status create "$work/x.state" --data-sectors 100)" = 2 ] || fail "data sectors without firmware: status 2"

[ $failures = 0 ] && echo "player-sim: all checks passed"
exit $((failures > 0))
