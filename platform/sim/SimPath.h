// Windows path names as the simulated PC reads them: drive paths
// ("C:\Caddis\bootmanager.sb", "/" or "\" between the parts, case-insensitive)
// and names in the device namespace ("\\.\E:", "\\.\PhysicalDrive0", and
// interface paths such as "\\?\usb#root_hub#...").
#pragma once

#include <string>
#include <vector>

#include "platform/WinTypes.h"

struct SimPath {
    // A name in the device namespace keeps only what follows "\\.\"; a drive
    // path keeps its upper-case letter and its parts, "." and ".." resolved.
    bool isDevice = false;
    std::wstring device;
    wchar_t drive = 0;
    std::vector<std::wstring> parts;

    // "C:\Caddis\Caddis.exe", "C:\" for a root, "\\.\E:" for a device.
    std::wstring Text() const;
    // The folder above; a root stays a root.
    SimPath Parent() const;
};

// Turns a name as a program passes it into a full path; relative names are
// taken from `currentDirectory` (itself a full drive path). Fails with
// ERROR_PATH_NOT_FOUND for an empty name or one that names no drive, and
// ERROR_INVALID_NAME for characters Windows refuses in file names.
DWORD ParseSimPath(const std::wstring& name, const std::wstring& currentDirectory, SimPath& path);

// Windows compares names without regard to case; the simulated PC folds
// ASCII and Latin-1 letters, which covers the names the programs use.
std::wstring SimUpper(const std::wstring& text);
bool SimSameName(const std::wstring& a, const std::wstring& b);
