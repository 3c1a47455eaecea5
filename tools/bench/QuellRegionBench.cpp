// How much faster Quell's BitmapToRegion turns a skin into a region than
// its pixel-by-pixel CreateRgnFromBitmap, on the busy 1024 x 768 skin, in
// one run under Wine, and where BitmapToRegion's time goes: the run
// extraction, and the system's making regions of the batches of rectangles
// (ExtCreateRegion). Prints its figures; it fails only when the two
// regions differ.
//
//   quell-region-bench        (Quell.dll on the library path)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "tools/bench/BusyOutline.h"
#include "usbsupport/Quell.h"
#include "usbsupport/RegionRuns.h"

namespace {

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The skin as a skinned window holds it: a bitmap of the screen's format.
HBITMAP BusySkin(const std::vector<uint32_t>& pixels) {  // 0xRRGGBB is a 32-bit DIB's blue, green, red
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = kBusyWidth;
    format.bmiHeader.biHeight = -kBusyHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    HBITMAP skin = ::CreateCompatibleBitmap(screen, kBusyWidth, kBusyHeight);
    if (skin) ::SetDIBits(screen, skin, 0, kBusyHeight, pixels.data(), &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return skin;
}

DWORD Rectangles(HRGN region) {
    std::vector<BYTE> data(::GetRegionData(region, 0, nullptr));
    if (data.empty() || !::GetRegionData(region, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()))) {
        return 0;
    }
    return reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount;
}

// BitmapToRegion's two steps on their own: the runs of the skin's pixels
// (in the bottom-up layout of its 32-bit copy) and the regions made of them.
void Breakdown(const std::vector<uint32_t>& pixels) {
    std::vector<uint32_t> section(pixels.size());
    for (int y = 0; y < kBusyHeight; ++y) {
        std::copy_n(&pixels[static_cast<size_t>(y) * kBusyWidth], kBusyWidth,
                    &section[static_cast<size_t>(kBusyHeight - 1 - y) * kBusyWidth]);
    }
    const auto* top = reinterpret_cast<const uint8_t*>(&section[static_cast<size_t>(kBusyHeight - 1) * kBusyWidth]);
    RegionData data(100);
    auto start = std::chrono::steady_clock::now();
    ExtractOpaqueRuns(top, -kBusyWidth * 4, kBusyWidth, kBusyHeight, TransparentRange(0xFFFFFFFF, 0x101010), data,
                      [](const RegionData&) {});
    const double runsMs = MillisecondsSince(start);
    double createMs = 0;
    int batches = 0;
    ExtractOpaqueRuns(top, -kBusyWidth * 4, kBusyWidth, kBusyHeight, TransparentRange(0xFFFFFFFF, 0x101010), data,
                      [&](const RegionData& batch) {
                          const auto made = std::chrono::steady_clock::now();
                          ::DeleteObject(::ExtCreateRegion(nullptr, batch.Size(),
                                                           reinterpret_cast<const RGNDATA*>(batch.Bytes())));
                          createMs += MillisecondsSince(made);
                          ++batches;
                      });
    std::printf("  of which the run extraction:  %9.2f ms\n", runsMs);
    std::printf("  and ExtCreateRegion of its %d batches: %9.2f ms\n", batches, createMs);
}

}  // namespace

int main() {
    const std::vector<uint32_t> pixels = BusyOutline();
    HBITMAP skin = BusySkin(pixels);
    if (!skin) {
        std::fprintf(stderr, "quell-region-bench: no bitmap\n");
        return 1;
    }
    const int rounds = 20;
    HRGN fast = nullptr;
    auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        if (fast) ::DeleteObject(fast);
        fast = BitmapToRegion(skin, 0xFFFFFFFF, 0x101010);
    }
    const double fastMs = MillisecondsSince(start) / rounds;

    start = std::chrono::steady_clock::now();
    HRGN slow = CreateRgnFromBitmap(skin, 0xFFFFFF);
    const double slowMs = MillisecondsSince(start);

    const bool same = fast && slow && ::EqualRgn(fast, slow);
    std::printf("skin: %d x %d, its region %lu rectangles\n", kBusyWidth, kBusyHeight, Rectangles(fast));
    std::printf("BitmapToRegion:      %9.2f ms (mean of %d)\n", fastMs, rounds);
    Breakdown(pixels);
    std::printf("CreateRgnFromBitmap: %9.2f ms\n", slowMs);
    std::printf("BitmapToRegion is %.0f times faster (goal: 20); the regions are %s\n", slowMs / fastMs,
                same ? "equal" : "DIFFERENT");
    ::DeleteObject(fast);
    ::DeleteObject(slow);
    ::DeleteObject(skin);
    return same ? 0 : 1;
}
