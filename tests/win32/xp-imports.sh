#!/bin/bash
# Fails when a Windows program imports a system function that Windows XP does
# not export: such a program stops at load time on XP with a missing entry
# point, before any of its code runs.
#
#   xp-imports.sh OBJDUMP PROGRAM.exe
#
# The list holds what the cross toolchain's runtime (thread, C++ and C
# libraries) and careless code are known to reach for; it is not every
# function newer than XP.
set -euo pipefail

objdump=$1
program=$2

newer_than_xp='
GetTickCount64 GetErrorMode SetThreadErrorMode InterlockedCompareExchange64
InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared ReleaseSRWLockExclusive
ReleaseSRWLockShared TryAcquireSRWLockExclusive TryAcquireSRWLockShared
InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
WakeConditionVariable WakeAllConditionVariable InitOnceExecuteOnce InitOnceBeginInitialize
InitOnceComplete InitializeCriticalSectionEx FlsAlloc FlsFree FlsGetValue FlsSetValue
GetSystemTimePreciseAsFileTime GetCurrentProcessorNumber QueryFullProcessImageNameW
CreateSymbolicLinkW GetFinalPathNameByHandleW GetFileInformationByHandleEx
SetFileInformationByHandle CreateFile2 CancelIoEx CreateEventExW CreateMutexExW
CreateSemaphoreExW LocaleNameToLCID LCIDToLocaleName GetLocaleInfoEx CompareStringEx
GetUserDefaultLocaleName RegGetValueW RegGetValueA RegDeleteKeyExW RegDeleteTreeW
RegSetKeyValueW RegCopyTreeW RegLoadMUIStringW
'

imports=$("$objdump" -p "$program" | awk '
    /DLL Name:/ { dll = toupper($3); next }
    /^$/ { dll = "" }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print dll, $3 }')
if [ -z "$imports" ]; then
    echo "xp-imports: no import table read from $program" >&2
    exit 1
fi

found=0
for name in $newer_than_xp; do
    while read -r dll function; do
        if [ "$function" = "$name" ]; then
            echo "xp-imports: $program imports $dll $function, which XP does not have" >&2
            found=1
        fi
    done <<<"$imports"
done
[ "$found" -eq 0 ] && echo "xp-imports: $(wc -l <<<"$imports") imports, none newer than XP"
exit "$found"
