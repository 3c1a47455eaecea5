// Bitmaps and regions for the tests of Quell's region functions under Wine.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

// A 32-bit bitmap whose pixel (x, y) is colour(x, y), given as 0xRRGGBB.
HBITMAP MakeBitmap(int width, int height, const std::function<uint32_t(int x, int y)>& colour);

// The region's rectangles as GetRegionData gives them.
std::vector<RECT> RegionRects(HRGN region);

// A region made of the rectangles, one at a time.
HRGN RegionOf(const std::vector<RECT>& rects);

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b);
