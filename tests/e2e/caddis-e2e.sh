#!/bin/bash
# caddis run end to end against simulated players that player-sim makes; the
# players are looked at afterwards with player-sim, mtools and dosfstools.
#
#   caddis-e2e.sh BIN_DIR SCENARIO
#
# Scenarios: plain-download, too-small-layout, recovery-mode,
# format-then-plain, full-download-sizes, large-data-sectors, fat16-refused,
# usage-and-log, odd-paths, honest-outcomes, two-runs, windows-98, windows-me. Each prints what
# failed and exits 1 if anything did.
set -uo pipefail
bin="$1"
scenario="$2"
# The updater speaks the language of the locale: these runs are in English.
export LC_ALL=C
unset CADDIS_PLAYER CADDIS_WINDOWS

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
contains() {  # TEXT NEEDLE WHAT
  grep -qF -- "$2" <<<"$1" || fail "$3: no \"$2\" in:"$'\n'"$1"
}
lacks() {  # TEXT NEEDLE WHAT
  ! grep -qF -- "$2" <<<"$1" || fail "$3: \"$2\" in:"$'\n'"$1"
}
same() {  # EXPECTED ACTUAL WHAT
  [ "$1" = "$2" ] || fail "$3: expected \"$1\", got \"$2\""
}

# caddis with its input at its end (no one to answer); sets $out and $status.
caddis() {  # STATE ARGS...
  local state="$1"
  shift
  out="$(CADDIS_PLAYER="$state" "$bin/caddis" "$@" </dev/null 2>&1)"
  status=$?
}

info() {  # STATE KEY
  "$bin/player-sim" info "$1" | sed -n "s/^$2: //p"
}

# "tag version" of every system drive: the drive numbers change when the
# media are divided anew, the tags do not.
firmware() {  # STATE
  "$bin/player-sim" info "$1" | awk '
    /^drive [0-9]+ type: system$/ { systemDrive[$2] = 1 }
    /^drive [0-9]+ tag: /         { tag[$2] = $4 }
    /^drive [0-9]+ component version: / { version[$2] = $5 }
    END { for (d in systemDrive) print tag[d], version[d] }' | sort
}

"$bin/player-sim" create current.state --firmware current --flash-mib 32 || exit 1
shipped="$(firmware current.state)"
expect_current() {  # STATE WHAT
  same "$shipped" "$(firmware "$1")" "$2: firmware on the player"
  same "mass-storage" "$(info "$1" mode)" "$2: mode"
}
expect_old() {  # STATE WHAT
  [ "$shipped" != "$(firmware "$1")" ] || fail "$2: the player was updated"
}

# The data drive's volume as an image of its own, sparse: players of many
# GiB cost what their file system holds.
volume() {  # STATE IMAGE
  "$bin/player-sim" export-volume "$1" "$2" || fail "export-volume $1"
}

# The files in the root of the data volume, upper-case names.
files() {  # STATE
  volume "$1" files.img
  mdir -b -i files.img :: 2>/dev/null | sed 's|^::/||' | sort | tr '\n' ' '
}

# dosfstools finds nothing wrong beyond the remarks every volume of this
# layout earns (its label of 11 zero bytes and, on FAT32, a free cluster
# count left unknown, as the layout allows) and sees the FAT of the bits
# given, if any; mtools writes a file and reads it back.
check_volume() {  # STATE WHAT [FAT-BITS]
  volume "$1" check.img
  local report remarks
  if [ -n "${3:-}" ]; then
    contains "$(fsck.fat -n -v check.img 2>&1)" "2 FATs, $3 bit entries" "$2: FAT type"
  fi
  report="$(fsck.fat -n check.img 2>&1)"
  remarks="$(grep -vE "^(fsck.fat |Label '' stored in boot sector is not valid\.|  Auto-removing label from boot sector\.|Free cluster summary uninitialized \(should be [0-9]+\)|Leaving filesystem unchanged\.|check\.img: [0-9]+ files, |$)" <<<"$report")"
  [ -z "$remarks" ] || fail "$2: fsck.fat -n:"$'\n'"$report"
  head -c 70000 /dev/urandom >song.mp3
  mcopy -i check.img song.mp3 ::/SONG.MP3 && mcopy -i check.img ::/SONG.MP3 back.mp3 &&
    cmp -s song.mp3 back.mp3 || fail "$2: mtools cannot write and read back a file"
}

mkdir music
echo "volume 7" >music/SETTINGS.DAT
head -c 5000 /dev/urandom >music/TRACK01.MP3

case "$scenario" in
plain-download)
  # An old player: the components are rewritten in its drives, its files
  # stay but the settings file, and the run reads as one line per stage.
  "$bin/player-sim" create old.state --firmware old --flash-mib 32 --data-files music || exit 1
  same "SETTINGS.DAT TRACK01.MP3 " "$(files old.state)" "files before"
  caddis old.state -silent
  same 0 "$status" "exit status"
  contains "$out" "Current version on the player: 001.004.000" "versions shown"
  contains "$out" "  Writing Player..." "stage lines"
  contains "$out" "  Download completed." "final stage"
  lacks "$out" $'\r' "output to a pipe"
  lacks "$out" "[Option]" "questions"
  expect_current old.state "plain download"
  same "TRACK01.MP3 " "$(files old.state)" "files after"
  ;;

too-small-layout)
  "$bin/player-sim" create small.state --firmware old --layout too-small --flash-mib 32 --data-files music || exit 1
  # No terminal to ask whether to reformat: the answer is No, nothing is written.
  cp small.state no.state
  caddis no.state -autostart -autoclose
  same 3 "$status" "declined: exit status"
  contains "$out" "[Option] The new firmware needs a different division" "declined: question"
  contains "$out" "(no terminal to answer on)" "declined: answer"
  contains "$out" "  Download cancelled. Nothing was written to the player." "declined: final text"
  lacks "$out" "Download completed." "declined: final text"
  expect_old no.state "declined"
  same "SETTINGS.DAT TRACK01.MP3 " "$(files no.state)" "declined: files"
  # -noquestions reformats without asking.
  cp small.state silent.state
  caddis silent.state -noquestions -autostart -autoclose
  same 0 "$status" "no questions: exit status"
  lacks "$out" "[Option]" "no questions: question"
  contains "$out" "Formatting the data area..." "no questions: stages"
  expect_current silent.state "no questions"
  same "" "$(files silent.state)" "no questions: files"
  check_volume silent.state "no questions"
  # Yes typed on a terminal.
  cp small.state yes.state
  answer="$(printf 'y\n' | CADDIS_PLAYER=yes.state script -qec "'$bin/caddis' -autostart -autoclose; echo \"exit status \$?\"" /dev/null | tr -d '\r')"
  contains "$answer" "Reformat the player now?" "yes: question"
  contains "$answer" "exit status 0" "yes: exit status"
  expect_current yes.state "yes"
  check_volume yes.state "yes"
  ;;

recovery-mode)
  # Its mass-storage firmware lost: the recovery path brings it back as a
  # drive, then a plain download updates the rest and keeps its files.
  "$bin/player-sim" create lost.state --firmware old --mode recovery --flash-mib 32 --data-files music || exit 1
  same "recovery" "$(info lost.state mode)" "mode before"
  caddis lost.state -silent
  same 0 "$status" "exit status"
  contains "$out" "The player is in recovery mode." "recovery status"
  contains "$out" "The firmware has been loaded." "recovery done"
  contains "$out" "  Download completed." "download after recovery"
  expect_current lost.state "recovery"
  same "TRACK01.MP3 " "$(files lost.state)" "files after"
  ;;

format-then-plain)
  # The README's main command: a full download with the Format Data Area
  # box checked, then, without the option, a plain download that keeps the
  # files put there in between.
  "$bin/player-sim" create demo.state --firmware old --flash-mib 64 --data-files music || exit 1
  caddis demo.state -silent -format
  same 0 "$status" "format: exit status"
  contains "$out" "[x] Format Data Area" "format: box"
  expect_current demo.state "format"
  same "" "$(files demo.state)" "format: files"
  check_volume demo.state "format"
  "$bin/player-sim" export-data demo.state data.img &&
    mcopy -i "data.img@@$(info demo.state "data volume offset")" song.mp3 ::/SONG.MP3 &&
    "$bin/player-sim" import-data demo.state data.img || fail "a file put on the player"
  caddis demo.state -silent
  same 0 "$status" "again: exit status"
  lacks "$out" "Formatting the data area" "again: stages"
  same "SONG.MP3 " "$(files demo.state)" "again: files"
  ;;

full-download-sizes)
  # Players whose data drives fall just past a row of the cluster table (69
  # and 133 MiB), past 4 GiB and past the CHS range: each is fully
  # downloaded and its data drive formatted with the type its size gives.
  for sizes in "69 32" "133 32" "4200 32" "9000 32"; do
    set -- $sizes
    "$bin/player-sim" create p$1.state --firmware old --flash-mib $1 --data-files music || exit 1
    caddis p$1.state -silent -format
    same 0 "$status" "$1 MiB: exit status"
    contains "$out" "  Download completed." "$1 MiB: final stage"
    expect_current p$1.state "$1 MiB"
    same "" "$(files p$1.state)" "$1 MiB: files"
    check_volume p$1.state "$1 MiB" $2
  done
  ;;

large-data-sectors)
  # Data drives of 2048- and 4096-byte sectors: a small one holds too few
  # sectors for FAT32 and gets FAT16, a larger one FAT32.
  for sizes in "64 2048 16" "512 2048 32" "300 4096 32"; do
    set -- $sizes
    "$bin/player-sim" create s$1-$2.state --firmware old --flash-mib $1 --data-sector-size $2 --data-files music ||
      exit 1
    caddis s$1-$2.state -silent -format
    same 0 "$status" "$1 MiB of $2-byte sectors: exit status"
    expect_current s$1-$2.state "$1 MiB of $2-byte sectors"
    check_volume s$1-$2.state "$1 MiB of $2-byte sectors" $3
  done
  ;;

fat16-refused)
  # FAT16 cannot hold a data drive of 9 GiB: the full download is refused
  # before anything is erased, with the cause named, and the player keeps
  # its files and its firmware.
  "$bin/player-sim" create big.state --firmware old --flash-mib 9000 --data-files music || exit 1
  cp big.state before.state
  caddis big.state -silent -format -fat16
  same 1 "$status" "refused: exit status"
  contains "$out" "[Error] A FAT16 file system, which the -fat16 option asks for, cannot hold the player's data area" \
    "refused: message"
  lacks "$out" "Erasing" "refused: stages"
  cmp -s before.state big.state || fail "refused: the player changed"
  expect_old big.state "refused"
  same "SETTINGS.DAT TRACK01.MP3 " "$(files big.state)" "refused: files"
  # On a player of 8 MiB its data drive of 3 MiB is enough for FAT16 with
  # one sector per cluster.
  "$bin/player-sim" create small.state --firmware old --flash-mib 8 --data-files music || exit 1
  caddis small.state -silent -format -fat16
  same 0 "$status" "8 MiB: exit status"
  expect_current small.state "8 MiB"
  check_volume small.state "8 MiB" 16
  ;;

usage-and-log)
  out="$("$bin/caddis" -silent 2>&1)"
  same 2 "$?" "no player: exit status"
  contains "$out" "Set CADDIS_PLAYER" "no player: message"
  contains "$out" "player-sim create" "no player: how to make one"
  caddis missing.state -silent
  same 2 "$status" "missing state file: exit status"

  # The usage text needs no player, asked the Windows way or the Linux way.
  for help in "-?" --help; do
    out="$("$bin/caddis" "$help" 2>&1)"
    same 0 "$?" "usage $help without a player: exit status"
    contains "$out" "[Information] Usage: Caddis.exe [-autostart]" "usage $help without a player"
  done

  "$bin/player-sim" create old.state --firmware old --flash-mib 32 || exit 1
  cp old.state before.state
  caddis old.state "-?"
  same 0 "$status" "usage: exit status"
  contains "$out" "[Information] Usage: Caddis.exe [-autostart]" "usage text"
  lacks "$out" "Searching for the player" "usage: no search"
  cmp -s before.state old.state || fail "usage: the player changed"

  # A log at an absolute path and one relative to the current folder.
  mkdir logs
  caddis old.state -silent -log "$work/logs/caddis.log"
  same 0 "$status" "log: exit status"
  [ -s logs/caddis.log ] || fail "log: no $work/logs/caddis.log"
  dated='^[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}: '
  [ "$(grep -cvE "$dated" logs/caddis.log)" = 0 ] || fail "log: undated lines in"$'\n'"$(cat logs/caddis.log)"
  contains "$(cat logs/caddis.log)" ": Download completed." "log: final stage"
  (cd logs && CADDIS_PLAYER=../old.state "$bin/caddis" -silent -log -english relative.log >/dev/null 2>&1)
  contains "$(cat logs/relative.log 2>/dev/null)" ": Writing Player..." "relative log"

  # A player too small for the components: the failure is shown, status 1,
  # and the player is left as it was.
  "$bin/player-sim" create tiny.state --flash-mib 4 || exit 1
  cp tiny.state tiny-before.state
  caddis tiny.state -silent
  same 1 "$status" "failure: exit status"
  contains "$out" "[Error] The player's data area cannot hold a FAT file system" "failure: message"
  cmp -s tiny-before.state tiny.state || fail "failure: the player changed"
  ;;

odd-paths)
  # caddis in a folder named outside ASCII, under each locale that has no
  # such characters, logging into a folder named so too.
  "$bin/player-sim" create old.state --firmware old --flash-mib 32 || exit 1
  mkdir prög lög
  cp "$bin/caddis" "$bin"/*.sb "$bin/resource.bin" "$bin"/vrxa*.dll prög/
  n=0
  for locale in C C.UTF-8 POSIX; do
    n=$((n + 1))
    out="$(LC_ALL=$locale CADDIS_PLAYER=old.state ./prög/caddis -silent -log "$work/lög/run$n.log" </dev/null 2>&1)"
    same 0 "$?" "$locale: exit status"
    contains "$out" "  Download completed." "$locale: final stage"
    contains "$(cat "lög/run$n.log" 2>/dev/null)" ": Download completed." "$locale: log"
  done
  # A relative log in a current folder named so.
  (cd lög && CADDIS_PLAYER=../old.state ../prög/caddis -silent -log here.log </dev/null >/dev/null 2>&1)
  contains "$(cat lög/here.log 2>/dev/null)" ": Download completed." "log in the current folder"
  expect_current old.state "odd paths"
  # Started from a folder deleted since: the update runs, and a log relative
  # to that folder is reported as one that cannot be written.
  mkdir gone
  out="$(cd gone && rmdir "$work/gone" && CADDIS_PLAYER="$work/old.state" "$bin/caddis" -silent -log run.log </dev/null 2>&1)"
  same 0 "$?" "deleted folder: exit status"
  contains "$out" '[Warning] The file d:\run.log cannot be opened.' "deleted folder: warning"
  contains "$out" "  Download completed." "deleted folder: final stage"
  ;;

honest-outcomes)
  "$bin/player-sim" create old.state --firmware old --flash-mib 32 || exit 1
  # Logs that cannot be written are named once, and the update goes on.
  mkdir folder.log locked
  logs=("$work/absent/run.log" folder.log)
  if [ "$(id -u)" != 0 ]; then  # permissions bind everyone but root
    chmod 500 locked
    logs+=(locked/run.log)
  fi
  for log in "${logs[@]}"; do
    caddis old.state -silent -log "$log"
    same 0 "$status" "log $log: exit status"
    same 1 "$(grep -c '^\[Warning\] The file .* cannot be opened' <<<"$out")" "log $log: warnings"
    contains "$out" "  Download completed." "log $log: the update"
  done
  # The path follows the log option, not a word that holds "log".
  caddis old.state -silent blog -log out.txt
  same 0 "$status" "log after blog: exit status"
  [ -s out.txt ] || fail "log after blog: no out.txt"
  [ ! -e ./-log ] || fail "log after blog: a file named -log"

  # A program folder of our own, to damage its files.
  mkdir prog
  cp "$bin/caddis" "$bin"/*.sb "$bin/resource.bin" "$bin/vrxa0409.dll" prog/
  # A language library that is no program: the system's text names it.
  cp prog/vrxa0409.dll good.dll
  echo "not a program" >prog/vrxa0409.dll
  out="$(CADDIS_PLAYER=old.state timeout 60 prog/caddis -silent </dev/null 2>&1)"
  same 1 "$?" "bad library: exit status"
  contains "$out" "vrxa0409.dll is not a valid Win32 application." "bad library: system text"
  lacks "$out" "%1" "bad library: system text"
  cp good.dll prog/vrxa0409.dll
  # A damaged component file ends the search with its own report.
  : >prog/resource.bin
  out="$(CADDIS_PLAYER=old.state timeout 60 prog/caddis -silent </dev/null 2>&1)"
  same 1 "$?" "empty component: exit status"
  contains "$out" "[Error] A firmware file of the program is damaged" "empty component: report"
  ;;

two-runs)
  # Two runs at once on one player, the second through a link to its file:
  # one says the player is in use, or they take turns; either way the
  # player ends up updated and whole, and the link stays a link.
  "$bin/player-sim" create two.state --firmware old --flash-mib 32 --data-files music || exit 1
  ln -s two.state link.state
  for round in 1 2 3; do
    CADDIS_PLAYER=two.state "$bin/caddis" -silent -format </dev/null >first.out 2>&1 &
    first=$!
    CADDIS_PLAYER=link.state "$bin/caddis" -silent -format </dev/null >second.out 2>&1
    second=$?
    wait $first
    first=$?
    case "$first $second" in
    "0 0" | "0 4" | "4 0") ;;
    *) fail "round $round: exit statuses $first and $second" ;;
    esac
    for run in first second; do
      if [ "${!run}" = 4 ]; then
        contains "$(cat $run.out)" "the player is in use by another program" "round $round: $run run"
      fi
    done
    expect_current two.state "round $round"
    check_volume two.state "round $round"
  done
  [ -L link.state ] || fail "the link was replaced by a file"
  same "current.state link.state two.state " "$(ls | grep state | tr '\n' ' ')" "files beside the player"
  ;;

windows-98 | windows-me)
  # The same updates on a Windows 98 or Me PC: the player reached through
  # the ASPI layer, its volume locked with the DOS requests, the data drive
  # formatted through the formatter's sequence for those systems.
  export CADDIS_WINDOWS="${scenario#windows-}"
  "$bin/player-sim" create old.state --firmware old --flash-mib 32 --data-files music || exit 1
  caddis old.state -silent
  same 0 "$status" "plain: exit status"
  contains "$out" "  Download completed." "plain: final stage"
  expect_current old.state "plain"
  same "TRACK01.MP3 " "$(files old.state)" "plain: files after"
  "$bin/player-sim" create full.state --firmware old --flash-mib 64 --data-files music || exit 1
  caddis full.state -silent -format
  same 0 "$status" "full: exit status"
  contains "$out" "Formatting the data area..." "full: stages"
  expect_current full.state "full"
  same "" "$(files full.state)" "full: files"
  check_volume full.state "full"
  # A Windows it cannot simulate is refused before anything happens.
  cp old.state before.state
  out="$(CADDIS_WINDOWS=3.1 CADDIS_PLAYER=old.state "$bin/caddis" -silent </dev/null 2>&1)"
  same 1 "$?" "unknown Windows: exit status"
  contains "$out" "CADDIS_WINDOWS=3.1" "unknown Windows: message"
  cmp -s before.state old.state || fail "unknown Windows: the player changed"
  ;;

*)
  echo "caddis-e2e: unknown scenario $scenario" >&2
  exit 2
  ;;
esac

[ "$failures" = 0 ] || exit 1
echo "caddis-e2e $scenario: passed"
