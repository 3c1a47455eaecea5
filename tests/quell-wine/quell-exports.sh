#!/bin/bash
# Checks Quell.dll as it ships: it exports exactly its fourteen functions by
# name (C++ names, cdecl), and keeps its run counter in a section "Quell"
# that is readable, writable and shared between processes.
#
#   quell-exports.sh OBJDUMP CXXFILT Quell.dll
set -euo pipefail
objdump=$1
cxxfilt=$2
library=$3

exports=$("$objdump" -p "$library" | awk '
    /^\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
    table && /^[ \t]*\[/ { print $NF; next }
    table { table = 0 }' | "$cxxfilt" --no-strip-underscore | sort)
expected=$(sort <<'LIST'
BitmapToRegion(HBITMAP__*, unsigned long, unsigned long)
CopyBitmap(CDC*, CBitmap&, CBitmap const&, tagRECT)
CreateRgnFromBitmap(HBITMAP__*, unsigned long)
IsUsbConnect()
QCheckUsbDevice(unsigned int, unsigned int)
QGetCopyRight()
QGetLangID()
QGetOSVer()
QGetRunCount()
QGetUSbDrivers(CString&, CString, CString)
QWndSetupBmp(CWnd*, CBitmap&)
SetCheckSpeed(int)
SetSpeedMaxValue(int)
SetVidPid(int, int)
LIST
)
status=0
if [ "$exports" != "$expected" ]; then
    echo "quell-exports: the exports differ from the fourteen functions:" >&2
    diff <(echo "$expected") <(echo "$exports") >&2 || true
    status=1
fi

# objdump -h prints each section's flags on the line after its name.
flags=$("$objdump" -h "$library" | awk '$2 == "Quell" { getline; print; exit }')
for flag in CONTENTS ALLOC LOAD DATA SHARED; do
    if [[ " ${flags//,/ } " != *" $flag "* ]]; then
        echo "quell-exports: the section Quell lacks $flag (flags: ${flags:-none, or no such section})" >&2
        status=1
    fi
done
if [[ " ${flags//,/ } " == *" READONLY "* ]]; then
    echo "quell-exports: the section Quell is read-only" >&2
    status=1
fi
[ "$status" -eq 0 ] && echo "quell-exports: fourteen exports; section Quell: $flags"
exit "$status"
