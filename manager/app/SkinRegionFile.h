// The window's outline: "RgnBack.rgn" beside the program, a Windows RGNDATA
// block (a 32-byte header: size 32, type 1, rectangle count, size of the
// rectangle data, bounding rectangle; then the rectangles, four 32-bit
// little-endian integers each) that the window turns into its region as it is.
#pragma once

#include <string>
#include <vector>

#include "manager/app/SkinStrings.h"
#include "platform/Host.h"

// The drive and directory of the program file, ending in its separator.
std::wstring ProgramFolder(Host& host);

// The path of "RgnBack.rgn" in the program folder when the file exists,
// else empty.
std::wstring SkinRegionPath(Host& host);

struct SkinRegion {
    std::vector<unsigned char> data;  // header and rectangles, for the platform
    std::vector<SkinRect> rectangles;
    SkinRect bounds;
};

// Reads and checks a region file. The file lies outside the program, so a
// header that is not the one above, a count of rectangles the file does not
// hold, or an inverted rectangle refuses it (false): the window then keeps
// its rectangle. Bytes after the last rectangle are left out of `data`.
bool LoadSkinRegion(Host& host, const std::wstring& path, SkinRegion& region);
bool ParseSkinRegion(const std::vector<unsigned char>& bytes, SkinRegion& region);
