#include "usbsupport/RegionRuns.h"

#include <algorithm>

TransparentRange::TransparentRange(uint32_t colour, uint32_t tolerance) {
    for (int component = 0; component < 3; ++component) {
        const uint32_t base = (colour >> (8 * component)) & 0xFF;
        const uint32_t reach = (tolerance >> (8 * component)) & 0xFF;
        low[component] = static_cast<uint8_t>(base);
        high[component] = static_cast<uint8_t>(std::min<uint32_t>(base + reach, 255));
    }
}

void ExtractOpaqueRuns(const uint8_t* topRow, ptrdiff_t rowStep, int32_t width, int32_t height,
                       const TransparentRange& range, RegionData& data,
                       const std::function<void(const RegionData&)>& flush) {
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = topRow + y * rowStep;
        ForEachRun(
            width, [row, &range](int32_t x) { return !range.Holds(row + 4 * static_cast<ptrdiff_t>(x)); },
            [&](int32_t first, int32_t end) {
                data.Add({first, y, end, y + 1});
                if (data.Count() == kRegionBatch) {
                    flush(data);
                    data.Clear();
                }
            });
    }
    flush(data);
    data.Clear();
}
