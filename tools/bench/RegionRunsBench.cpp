// How fast the run extraction behind BitmapToRegion walks a bitmap's pixels:
// the busy 1024 x 768 skin of the Windows benchmark, as the 32-bit bottom-up
// copy BitmapToRegion reads, many times over. Prints its figures; it asserts
// nothing.
//
//   region-runs-bench
#include <chrono>
#include <cstdio>

#include "tools/bench/BusyOutline.h"
#include "usbsupport/RegionRuns.h"

int main() {
    // The section's layout: bottom-up rows of blue, green, red, unused.
    std::vector<uint32_t> top = BusyOutline();
    std::vector<uint32_t> section(top.size());
    for (int y = 0; y < kBusyHeight; ++y) {
        for (int x = 0; x < kBusyWidth; ++x) {
            section[static_cast<size_t>(kBusyHeight - 1 - y) * kBusyWidth + x] =
                top[static_cast<size_t>(y) * kBusyWidth + x];
        }
    }
    const auto* topRow = reinterpret_cast<const uint8_t*>(&section[static_cast<size_t>(kBusyHeight - 1) * kBusyWidth]);
    const ptrdiff_t step = -static_cast<ptrdiff_t>(kBusyWidth) * 4;
    const TransparentRange white(0xFFFFFFFF, 0x101010);

    const int rounds = 200;
    uint64_t rectangles = 0, batches = 0;
    RegionData data(100);
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        ExtractOpaqueRuns(topRow, step, kBusyWidth, kBusyHeight, white, data, [&](const RegionData& batch) {
            rectangles += batch.Count();
            ++batches;
        });
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double pixels = double(kBusyWidth) * kBusyHeight * rounds;
    std::printf("run extraction: %d x %d bitmap, %llu runs in %llu batches per pass\n", kBusyWidth, kBusyHeight,
                static_cast<unsigned long long>(rectangles / rounds),
                static_cast<unsigned long long>(batches / rounds));
    std::printf("run extraction: %d passes in %.3f s: %.1f million pixels per second, %.3f ms per bitmap\n", rounds,
                seconds, pixels / seconds / 1e6, seconds / rounds * 1e3);
    return 0;
}
