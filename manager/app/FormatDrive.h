// What the format command decides before and inside the shell's format
// dialog: which drive it formats, and which file system it locks.
#pragma once

#include <string>
#include <vector>

// The file-system combo box of the shell's format dialog.
const int kFormatFileSystemCombo = 28677;  // 0x7005
// The only file system the player reads.
extern const wchar_t kPlayerFileSystem[];  // "FAT"

// The shell's drive index of a path's drive letter (A: 0 ... Z: 25),
// whatever the letter's case; -1 when the path does not start with one.
int FormatDriveIndex(const std::wstring& path);

// The index of the item that names exactly the player's file system ("FAT",
// compared as the combo box compares, without regard to case; never
// "FAT32"); -1 when none does.
int PlayerFileSystemItem(const std::vector<std::wstring>& items);
