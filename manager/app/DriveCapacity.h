// How full a player drive is, in kilobytes, and the three texts the main
// window shows for each of its two drives (total, free, used).
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct DriveCapacity {
    uint64_t totalKb = 0;
    uint64_t freeKb = 0;  // free to the user asking

    // Total less free; free space beyond the total (a quota that says more
    // than the disk holds) counts as nothing used.
    uint64_t UsedKb() const { return freeKb < totalKb ? totalKb - freeKb : 0; }
};

// The capacity of a drive the shell reports in bytes: both figures by the
// KB rule, so an almost full drive still shows 1 KB free. A query that
// failed shows as 0 KB and 0 KB.
DriveCapacity CapacityFromBytes(bool answered, uint64_t totalBytes, uint64_t freeBytesForCaller);

// The texts of one drive: total, free, used; "0 KB" three times for a drive
// that is not known.
std::array<std::wstring, 3> CapacityTexts(const DriveCapacity* drive);
