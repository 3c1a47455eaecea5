// Which pixels of a skin bitmap stay in a window's outline: the runs of
// pixels along each row that are not of the transparent colour, turned
// into one-row rectangles and handed on in batches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "usbsupport/RegionData.h"

// The transparent colour with its tolerance, per component: a component
// of the colour value (byte 0 red, 1 green, 2 blue) reaches up to the
// tolerance's byte of the same component, capped at 255.
struct TransparentRange {
    uint8_t low[3];
    uint8_t high[3];

    TransparentRange(uint32_t colour, uint32_t tolerance);

    // A pixel of a 32-bit image: bytes blue, green, red, unused. Each
    // component is compared with the same component of the colour.
    bool Holds(const uint8_t* pixel) const {
        return In(pixel[2], 0) && In(pixel[1], 1) && In(pixel[0], 2);
    }

private:
    bool In(uint8_t value, int component) const { return value >= low[component] && value <= high[component]; }
};

// Calls emit(first, end) for each maximal run of pixels x in [0, width)
// for which kept(x) is true, left to right.
template <class Kept, class Emit>
void ForEachRun(int32_t width, Kept kept, Emit emit) {
    int32_t x = 0;
    while (x < width) {
        while (x < width && !kept(x)) ++x;
        const int32_t first = x;
        while (x < width && kept(x)) ++x;
        if (x > first) emit(first, x);
    }
}

// A region is made of at most this many rectangles at a time, and the
// regions are then merged. Some systems make a region from n rectangles in
// time growing as n squared (each rectangle is merged into the region so
// far) while merging two regions is linear, so small batches are quick: on
// a busy 1024 x 768 skin (about 12000 runs) batches of 2000 spent six times
// as long as batches of 250.
const uint32_t kRegionBatch = 250;

// Walks the rows of a 32-bit image from the top (`topRow`, the next row
// `rowStep` bytes on: negative for a bottom-up image) and adds each run of
// pixels the range does not hold as the rectangle (first, y, end, y + 1).
// `flush` gets the data whenever it holds kRegionBatch rectangles and once
// more at the end (even empty); the data is cleared after each.
void ExtractOpaqueRuns(const uint8_t* topRow, ptrdiff_t rowStep, int32_t width, int32_t height,
                       const TransparentRange& range, RegionData& data,
                       const std::function<void(const RegionData&)>& flush);
