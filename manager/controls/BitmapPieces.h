// Pieces of skin bitmaps: a frame cut out of a strip, and a bitmap's pixels
// read as 32-bit values for the outline of a button.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// A bitmap of its own holding the `width` x `height` part of `source` at
// (x, 0); null when it cannot be made.
HBITMAP CutFrame(HBITMAP source, int x, int width, int height);

// Repeats the picture selected into `source` (tile size given) over the
// part of `target`, row by row, the last row and column cut to fit.
void TileOver(HDC target, HDC source, const RECT& part, int tileWidth, int tileHeight);

// The bitmap's pixels top row first, 4 bytes each (blue, green, red,
// unused); empty when they cannot be read.
std::vector<uint8_t> TopDownPixels(HBITMAP bitmap, int& width, int& height);
