// The skin's colours: a slate-blue body with light panels, cyan for what is
// lit and amber for play.
#pragma once

#include "SkinPaint.h"

// Outside the window's outline; no other pixel of the background has it.
constexpr Rgba kOutside = Rgb(255, 0, 255);

constexpr Rgba kBodyTop = Rgb(74, 92, 128);
constexpr Rgba kBodyBottom = Rgb(32, 40, 62);
constexpr Rgba kEdge = Rgb(14, 18, 30);
constexpr Rgba kRim = {168, 190, 232, 150};
constexpr Rgba kWell = Rgb(20, 26, 42);
constexpr Rgba kPaperTop = Rgb(236, 240, 247);
constexpr Rgba kPaperBottom = Rgb(212, 220, 232);
constexpr Rgba kInk = Rgb(52, 66, 96);  // symbols printed on the light panels
constexpr Rgba kEngraving = Rgb(200, 214, 238);  // symbols printed on the body

constexpr Rgba kLcdTop = Rgb(204, 228, 178);
constexpr Rgba kLcdBottom = Rgb(174, 206, 150);
constexpr Rgba kLcdEdge = Rgb(64, 92, 58);
constexpr Rgba kLcdInk = Rgb(40, 64, 40);

constexpr Rgba kSilverTop = Rgb(226, 232, 242);
constexpr Rgba kSilverBottom = Rgb(132, 142, 160);

// The gauge: lit segments for the used space, dim ones for the free space.
constexpr Rgba kUsedTop = Rgb(134, 232, 255);
constexpr Rgba kUsedBottom = Rgb(24, 130, 214);
constexpr Rgba kFreeTop = Rgb(70, 84, 112);
constexpr Rgba kFreeBottom = Rgb(44, 54, 76);
constexpr Rgba kGaugeGap = Rgb(16, 22, 36);

constexpr Rgba kGlow = {110, 214, 255, 190};
constexpr Rgba kShadow = {0, 0, 0, 110};
constexpr Rgba kWhite = Rgb(255, 255, 255);
constexpr Rgba kBlack = Rgb(0, 0, 0);
