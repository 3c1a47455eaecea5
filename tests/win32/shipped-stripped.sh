#!/bin/bash
# Fails when a shipped program carries debugging information or its folder of
# programs holds a debug file; the debugging information belongs in the
# build's debug folder, which does not ship, and must be there.
#
#   shipped-stripped.sh OBJDUMP PROGRAM.exe DEBUG_FOLDER
set -euo pipefail

objdump=$1
program=$2
debug=$3

carried=$("$objdump" -h "$program" | awk '$2 ~ /^\.debug/ { print $2 }' | tr '\n' ' ')
if [ -n "$carried" ]; then
    echo "shipped-stripped: $program carries $carried" >&2
    exit 1
fi
beside=$(find "$(dirname "$program")" -maxdepth 1 -name '*.debug')
if [ -n "$beside" ]; then
    echo "shipped-stripped: debug files among the programs: $beside" >&2
    exit 1
fi
kept="$debug/$(basename "$program").debug"
if ! "$objdump" -h "$kept" 2>/dev/null | grep -q ' \.debug_info '; then
    echo "shipped-stripped: no debugging information kept in $kept" >&2
    exit 1
fi
echo "shipped-stripped: $(basename "$program") is $(stat -c %s "$program") bytes; its debugging information is in $kept"
