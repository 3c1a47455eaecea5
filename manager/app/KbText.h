// Sizes as Tavlo shows them: whole kilobytes, rounded up, never 0 for a
// file or a drive, with a comma between every group of three digits
// ("1,100,000 KB"). Byte counts are 64-bit: drives and files beyond 4 GB
// are shown as they are.
#pragma once

#include <cstdint>
#include <string>

// 1 for 1024 bytes or fewer (an empty file too), else the bytes / 1024
// rounded up.
uint64_t BytesToKb(uint64_t bytes);

// "1,205,633 KB".
std::wstring FormatKb(uint64_t kilobytes);

// The size column's text for a file of `bytes`.
inline std::wstring FileSizeText(uint64_t bytes) { return FormatKb(BytesToKb(bytes)); }
