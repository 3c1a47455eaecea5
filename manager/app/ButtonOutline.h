// The outline of a skin button, from the mask frame of its strip: white
// pixels are cut out, each row's runs of other pixels stay. A mask with no
// white keeps the whole rectangle; white in the last column ends every
// run before it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "usbsupport/RegionData.h"

// The button's region grows by this many rectangles at a time.
const size_t kButtonOutlineGrowth = 40;
const uint32_t kButtonMaskWhite = 0xFFFFFF;

// `topRow` is the mask's top row of 32-bit pixels (blue, green, red,
// unused), the next `rowStep` bytes on (negative for a bottom-up image).
// All the rectangles come in one list, for one region.
RegionData ButtonOutline(const uint8_t* topRow, ptrdiff_t rowStep, int32_t width, int32_t height);
