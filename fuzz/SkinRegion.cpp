// The window's outline file (RgnBack.rgn): an accepted file gives exactly
// the rectangles its header counts, none inverted, and hands the platform
// the header and those rectangles as they stand at the file's start.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "manager/app/SkinRegionFile.h"

namespace {

const size_t kHeaderSize = 32, kRectangleSize = 16;

uint32_t U32At(const uint8_t* at) { return at[0] | at[1] << 8 | at[2] << 16 | uint32_t(at[3]) << 24; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SkinRegion region;
    if (!ParseSkinRegion(std::vector<unsigned char>(data, data + size), region)) return 0;
    const size_t count = region.rectangles.size();
    FUZZ_CHECK(size >= kHeaderSize && count == U32At(data + 8));
    FUZZ_CHECK(region.data.size() == kHeaderSize + count * kRectangleSize && region.data.size() <= size);
    FUZZ_CHECK(std::equal(region.data.begin(), region.data.end(), data));
    for (const SkinRect& rect : region.rectangles) FUZZ_CHECK(rect.right >= rect.left && rect.bottom >= rect.top);
    return 0;
}
