// What the shell says about items: names, icons in the system image lists,
// type names and file data, and the folder's children.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>

// The item's name in the form asked for (SHGDN_...); empty when the shell
// answers nothing.
std::wstring ShellDisplayName(IShellFolder* folder, LPCITEMIDLIST relative, DWORD form);

// The system image list of small or large icons, shared by the process
// (never destroyed), as the shell answers for the root of C:.
HIMAGELIST SystemImageList(bool small);
// The item's index in the system image list of small icons; `open` for the
// open-folder picture. 0 when the shell answers nothing.
int SmallIconIndex(LPCITEMIDLIST absolute, bool open);
// The shell's type name of the item ("MP3 Format Sound").
std::wstring ShellTypeName(LPCITEMIDLIST absolute);
// The file data of a file-system item; false when the shell has none.
bool ShellFindData(IShellFolder* folder, LPCITEMIDLIST relative, WIN32_FIND_DATAW& data);

// Calls `take` with each child of the folder that the flags (SHCONTF_...)
// ask for; `take` owns the list it is given. False when the folder cannot
// be enumerated.
bool EnumerateShellChildren(IShellFolder* folder, HWND owner, DWORD flags,
                            const std::function<void(LPITEMIDLIST child)>& take);

// Whether two single-level item identifiers are the same bytes.
bool SameItemId(LPCITEMIDLIST first, LPCITEMIDLIST second);
