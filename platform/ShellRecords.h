// The shell's file operation record (SHFILEOPSTRUCTW) as it crosses the
// host seam: little-endian bytes at the offsets of the 32-bit system's
// layout, which the shell packs without padding. The record's handle and
// pointer fields (owner window, "from" and "to" buffers, name mappings,
// progress title) are not part of the bytes: they travel as arguments of
// their own beside the record, and their slots stay zero.
#pragma once

#include <cstddef>

#include "platform/WinTypes.h"

namespace file_operation {
const DWORD kSize = 30;
const size_t kOwner = 0;          // HWND, an argument of its own
const size_t kFunction = 4;       // FO_MOVE ... FO_RENAME
const size_t kFrom = 8;           // an argument of its own
const size_t kTo = 12;            // an argument of its own
const size_t kFlags = 16;         // 16-bit FOF_ bits
const size_t kAnyAborted = 18;    // out: the user aborted some part of it
const size_t kNameMappings = 22;  // the host frees them itself
const size_t kProgressTitle = 26; // an argument of its own

// Operations.
const UINT kMove = 1;
const UINT kCopy = 2;
const UINT kDelete = 3;
const UINT kRename = 4;

// Flags.
const WORD kMultiDestFiles = 0x0001;
const WORD kNoConfirmation = 0x0010;
const WORD kWantMappingHandle = 0x0020;
const WORD kAllowUndo = 0x0040;
const WORD kFilesOnly = 0x0080;
const WORD kNoConfirmMkdir = 0x0200;
}  // namespace file_operation
