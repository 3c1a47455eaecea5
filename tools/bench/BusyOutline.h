// The skin the region benchmarks cut out: a 1024 x 768 bitmap whose
// outline is busy, as a skinned window's is: a body with a wavy edge, a
// speaker grille of round holes and slots along its sides, white all
// around. Pixels are 0xRRGGBB, top row first; white is cut out.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

const int kBusyWidth = 1024;
const int kBusyHeight = 768;

inline uint32_t BusyOutlinePixel(int x, int y) {
    const uint32_t white = 0xFFFFFF, body = 0x2E3F52;
    const double dx = x - 512.0, dy = y - 384.0;
    const double angle = std::atan2(dy, dx);
    const double edge = 1.0 + 0.03 * std::sin(12 * angle);
    if ((dx * dx) / (500.0 * 500.0) + (dy * dy) / (370.0 * 370.0) > edge * edge) return white;
    if (y >= 200 && y < 560 && x >= 200 && x < 824) {
        const int gx = (x - 200) % 24 - 12, gy = (y - 200) % 24 - 12;
        if (gx * gx + gy * gy < 49) return white;  // a grille hole
    }
    if ((x < 160 || x >= 864) && (y / 6) % 2 == 0 && x % 9 < 4) return white;  // side slots
    return body;
}

inline std::vector<uint32_t> BusyOutline() {
    std::vector<uint32_t> pixels(static_cast<size_t>(kBusyWidth) * kBusyHeight);
    for (int y = 0; y < kBusyHeight; ++y) {
        for (int x = 0; x < kBusyWidth; ++x) pixels[static_cast<size_t>(y) * kBusyWidth + x] = BusyOutlinePixel(x, y);
    }
    return pixels;
}
