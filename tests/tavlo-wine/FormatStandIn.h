// The format dialog of Tavlo's test build (never shipped). Wine's
// SHFormatDrive shows no dialog, so the test build answers the shell's
// entry point with this window instead: the shell dialog's file-system
// combo box (id 28677) holding "FAT32", "FAT" and "NTFS", FAT32 chosen,
// and the drive in its title ("Format P:"). It formats nothing.
#pragma once

#include <windows.h>

extern const wchar_t kFormatStandInClass[];  // "TavloFormatStandIn"

// SHFormatDrive's signature; runs the window modally over `owner`.
DWORD WINAPI StandInFormatDrive(HWND owner, UINT drive, UINT formatId, UINT options);
