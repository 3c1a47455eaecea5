// Draws Caddis's pictures and writes them into the folder given on the
// command line:
//
//   caddis.ico  icon 128, the windows' icon: the player, 16 by 16 and 32 by 32
//   about.ico   icon 135, the about box: the player with a download badge, 32 by 32
//   search.avi  animation 128, the search dialog: a magnifying glass sweeping
//               over the player, 16 frames of 60 by 36 at 10 frames a second
//
// The icons are 32-bit with an alpha channel and an AND mask; their edges are
// smoothed by drawing at four times the size and averaging. The animation is
// uncompressed 8-bit with hard edges, because the animation control makes
// exactly one colour transparent: the one of the frame's upper-left pixel.
//
// The bytes are the same on every run and every machine: the shapes are
// drawn with integer arithmetic (only the glass's path uses sine and cosine,
// rounded to whole pixels far from any half), no time stamps, every header
// field set.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ArtFiles.h"
#include "ArtShapes.h"

namespace {

enum Ink : uint8_t {
    kClear,  // transparent in the icons, the background colour in the animation
    kOutline,
    kBody,
    kScreen,
    kScreenInk,
    kWheel,
    kRim,
    kHandle,
    kGlass,
    kGlint,
    kBadge,
    kInkCount
};

struct Rgb {
    uint8_t red, green, blue;
};

// Index order is the Ink order. The clear colour is the dialog face of the
// classic look, so the animation still looks right where nothing is made
// transparent.
const Rgb kPalette[kInkCount] = {
    {212, 208, 200}, {30, 42, 66},  {58, 110, 190},  {170, 222, 196},
    {44, 96, 76},    {228, 233, 240}, {64, 64, 72},  {150, 92, 46},
    {205, 230, 250}, {255, 255, 255}, {40, 160, 70},
};

struct Canvas {
    int width, height;
    std::vector<uint8_t> ink;

    Canvas(int w, int h) : width(w), height(h), ink(static_cast<size_t>(w) * h, kClear) {}
    uint8_t& At(int x, int y) { return ink[static_cast<size_t>(y) * width + x]; }
    uint8_t At(int x, int y) const { return ink[static_cast<size_t>(y) * width + x]; }
};

// The fills test pixel centres in doubled coordinates (2x+1, 2y+1), which
// keeps all shape arithmetic in integers.
const int64_t kDoubled = 2;

// Paints every pixel of the box whose centre passes the test.
template <typename Test>
void Fill(Canvas& canvas, const Box& box, uint8_t ink, Test inside) {
    for (int y = std::max(box.top, 0); y < std::min(box.bottom, canvas.height); ++y)
        for (int x = std::max(box.left, 0); x < std::min(box.right, canvas.width); ++x)
            if (inside(2 * int64_t{x} + 1, 2 * int64_t{y} + 1)) canvas.At(x, y) = ink;
}

void FillRect(Canvas& canvas, const Box& box, uint8_t ink) {
    Fill(canvas, box, ink, [](int64_t, int64_t) { return true; });
}

void FillEllipse(Canvas& canvas, const Box& box, uint8_t ink) {
    Fill(canvas, box, ink, [&](int64_t x2, int64_t y2) { return InEllipse(box, x2, y2, kDoubled); });
}

void FillRing(Canvas& canvas, const Box& box, int thickness, uint8_t ink) {
    const Box hole = Inset(box, thickness);
    Fill(canvas, box, ink, [&](int64_t x2, int64_t y2) {
        return InEllipse(box, x2, y2, kDoubled) && !InEllipse(hole, x2, y2, kDoubled);
    });
}

void FillRoundRect(Canvas& canvas, const Box& box, int radius, uint8_t ink) {
    Fill(canvas, box, ink, [&](int64_t x2, int64_t y2) { return InRoundRect(box, radius, x2, y2, kDoubled); });
}

// A line with round ends from one grid point to another.
void DrawLine(Canvas& canvas, int x0, int y0, int x1, int y1, int thickness, uint8_t ink) {
    const Box bounds = {std::min(x0, x1) - thickness, std::min(y0, y1) - thickness,
                        std::max(x0, x1) + thickness, std::max(y0, y1) + thickness};
    Fill(canvas, bounds, ink, [&](int64_t x2, int64_t y2) {
        return NearSegment(x0, y0, x1, y1, thickness, x2, y2, kDoubled);
    });
}

// Rounds to whole output pixels so that straight edges stay sharp.
int Snap(int value, int unit) { return (value + unit / 2) / unit * unit; }

// The player: a rounded body, a display in its upper part and a round wheel
// below it. `unit` is one output pixel in canvas pixels, so outlines are one
// pixel wide at every size. `dots` lights that many of three dots on the
// display (none draws two lines of text instead).
void DrawPlayer(Canvas& canvas, const Box& body, int unit, int dots) {
    const int width = body.right - body.left, height = body.bottom - body.top;
    const int corner = Snap(width / 4, unit);
    FillRoundRect(canvas, body, corner, kOutline);
    FillRoundRect(canvas, Inset(body, unit), corner - unit, kBody);

    const int side = Snap(width * 3 / 16, unit);
    const Box screen = {body.left + side, body.top + side, body.right - side,
                        body.top + Snap(height * 2 / 5, unit)};
    FillRect(canvas, screen, kOutline);
    const Box glass = Inset(screen, unit);
    FillRect(canvas, glass, kScreen);
    const int glassWidth = glass.right - glass.left, glassHeight = glass.bottom - glass.top;
    if (dots > 0) {
        const int middle = glass.top + Snap(glassHeight / 2, unit) - unit;
        for (int dot = 0; dot < dots; ++dot) {
            const int x = glass.left + Snap(glassWidth * (1 + 2 * dot) / 6, unit) - unit;
            FillRect(canvas, {x, middle, x + 2 * unit, middle + 2 * unit}, kScreenInk);
        }
    } else if (glassHeight >= 5 * unit) {
        const int margin = Snap(glassWidth / 6, unit);
        const int first = glass.top + Snap(glassHeight / 3, unit) - unit;
        FillRect(canvas, {glass.left + margin, first, glass.right - margin, first + unit}, kScreenInk);
        FillRect(canvas, {glass.left + margin, first + 2 * unit, glass.right - 2 * margin, first + 3 * unit},
                 kScreenInk);
    }

    const int wheelSide = Snap(width * 3 / 16, unit);
    const int wheelSize = width - 2 * wheelSide;
    const int wheelTop = screen.bottom + Snap((body.bottom - screen.bottom - wheelSize) / 2, unit);
    const Box wheel = {body.left + wheelSide, wheelTop, body.right - wheelSide, wheelTop + wheelSize};
    FillEllipse(canvas, wheel, kOutline);
    FillEllipse(canvas, Inset(wheel, unit), kWheel);
    const Box button = Inset(wheel, Snap(wheelSize * 5 / 16, unit));
    FillEllipse(canvas, button, kOutline);
    FillEllipse(canvas, Inset(button, unit), kBody);
}

// A green disc with a white arrow pointing down: "new firmware goes in".
void DrawDownloadBadge(Canvas& canvas, const Box& disc, int unit) {
    FillEllipse(canvas, disc, kOutline);
    FillEllipse(canvas, Inset(disc, unit), kBadge);
    const int size = disc.right - disc.left;
    const int middle = disc.left + size / 2, top = disc.top + size / 4, tip = disc.bottom - size / 4;
    const int wing = size / 5;
    DrawLine(canvas, middle, top, middle, tip, unit * 2, kGlint);
    DrawLine(canvas, middle - wing, tip - wing, middle, tip, unit * 2, kGlint);
    DrawLine(canvas, middle + wing, tip - wing, middle, tip, unit * 2, kGlint);
}

// A magnifying glass whose lens enlarges the scene beneath it twice.
void DrawMagnifier(Canvas& canvas, const Canvas& scene, const Box& lens) {
    const Box view = Inset(lens, 2);
    const int64_t centreX = view.left + view.right, centreY = view.top + view.bottom;
    Fill(canvas, view, kGlass, [&](int64_t x2, int64_t y2) { return InEllipse(view, x2, y2, kDoubled); });
    for (int y = std::max(view.top, 0); y < std::min(view.bottom, canvas.height); ++y)
        for (int x = std::max(view.left, 0); x < std::min(view.right, canvas.width); ++x) {
            // The lens centre stays put; everything else moves halfway towards it.
            const uint8_t seen = scene.At(static_cast<int>((2 * x + 1 + centreX) / 4),
                                          static_cast<int>((2 * y + 1 + centreY) / 4));
            if (canvas.At(x, y) == kGlass && seen != kClear) canvas.At(x, y) = seen;
        }
    const int size = lens.right - lens.left;
    const int handleX = lens.right - size / 7, handleY = lens.bottom - size / 7;
    DrawLine(canvas, handleX, handleY, handleX + size / 3, handleY + size / 3, 3, kHandle);
    FillRing(canvas, lens, 2, kRim);
    FillRect(canvas, {view.left + 3, view.top + 3, view.left + 5, view.top + 4}, kGlint);
    FillRect(canvas, {view.left + 3, view.top + 4, view.left + 4, view.top + 5}, kGlint);
}

// Averages each square of `scale` by `scale` canvas pixels into one pixel;
// alpha is the share of painted canvas pixels.
IconImage Shrink(const Canvas& canvas, int scale) {
    IconImage image{canvas.width / scale, {}};
    const int samples = scale * scale;
    for (int y = 0; y < image.size; ++y)
        for (int x = 0; x < image.size; ++x) {
            int painted = 0, red = 0, green = 0, blue = 0;
            for (int sy = 0; sy < scale; ++sy)
                for (int sx = 0; sx < scale; ++sx) {
                    const uint8_t ink = canvas.At(x * scale + sx, y * scale + sy);
                    if (ink == kClear) continue;
                    ++painted;
                    red += kPalette[ink].red, green += kPalette[ink].green, blue += kPalette[ink].blue;
                }
            const int half = painted / 2;
            const uint8_t pixel[4] = {
                static_cast<uint8_t>(painted ? (blue + half) / painted : 0),
                static_cast<uint8_t>(painted ? (green + half) / painted : 0),
                static_cast<uint8_t>(painted ? (red + half) / painted : 0),
                static_cast<uint8_t>((painted * 255 + samples / 2) / samples)};
            image.bgra.insert(image.bgra.end(), pixel, pixel + 4);
        }
    return image;
}

const int kSmooth = 4;  // canvas pixels per icon pixel along each side

// The player fills the height of the small icon; the big one leaves a pixel
// above and below.
IconImage PlayerIcon(int size) {
    const int unit = kSmooth;
    Canvas canvas(size * unit, size * unit);
    const Box body = size == 16 ? Box{2, 0, 14, 16} : Box{6, 1, 26, 31};
    DrawPlayer(canvas, {body.left * unit, body.top * unit, body.right * unit, body.bottom * unit}, unit, 0);
    return Shrink(canvas, kSmooth);
}

IconImage AboutIcon() {
    const int size = 32, unit = kSmooth;
    Canvas canvas(size * unit, size * unit);
    DrawPlayer(canvas, {4 * unit, 1 * unit, 23 * unit, 31 * unit}, unit, 0);
    DrawDownloadBadge(canvas, {17 * unit, 17 * unit, 32 * unit, 32 * unit}, unit);
    return Shrink(canvas, kSmooth);
}

const int kFrameWidth = 60, kFrameHeight = 36, kFrameCount = 16, kFramesPerSecond = 10;

// The glass circles the player once per loop on an ellipse, so the last
// frame leads smoothly into the first.
Canvas SearchFrame(int frame) {
    Canvas scene(kFrameWidth, kFrameHeight);
    DrawPlayer(scene, {21, 2, 39, 34}, 1, 1 + frame / 4 % 3);
    Canvas canvas = scene;
    const double turn = 2 * 3.14159265358979 * frame / kFrameCount;
    const int lensX = 29 + static_cast<int>(std::lround(10 * std::sin(turn)));
    const int lensY = 15 - static_cast<int>(std::lround(7 * std::cos(turn)));
    const int lensSize = 17, lensLeft = lensX - lensSize / 2, lensTop = lensY - lensSize / 2;
    DrawMagnifier(canvas, scene, {lensLeft, lensTop, lensLeft + lensSize, lensTop + lensSize});
    return canvas;
}

// An uncompressed 8-bit video with one stream, '00db' frames and an index,
// which is what the animation control plays.
Bytes AnimationFile() {
    static_assert(kFrameWidth % 4 == 0, "frame rows are whole double words, so they need no padding");
    const uint32_t frameBytes = kFrameWidth * kFrameHeight;
    Bytes out;
    const size_t riff = out.BeginList("RIFF", "AVI ");
    const size_t header = out.BeginList("LIST", "hdrl");
    const size_t main = out.Begin("avih");
    out.U32(1000000 / kFramesPerSecond), out.U32(frameBytes * kFramesPerSecond), out.U32(0);
    out.U32(0x10);  // AVIF_HASINDEX
    out.U32(kFrameCount), out.U32(0), out.U32(1), out.U32(frameBytes), out.U32(kFrameWidth), out.U32(kFrameHeight);
    for (int i = 0; i < 4; ++i) out.U32(0);
    out.End(main);
    const size_t streamList = out.BeginList("LIST", "strl");
    const size_t stream = out.Begin("strh");
    out.Tag("vids"), out.Tag("DIB ");
    out.U32(0), out.U16(0), out.U16(0), out.U32(0);
    out.U32(1), out.U32(kFramesPerSecond), out.U32(0), out.U32(kFrameCount), out.U32(frameBytes);
    out.U32(0xFFFFFFFF), out.U32(0);  // default quality; sample size 0: one chunk per frame
    out.U16(0), out.U16(0), out.U16(kFrameWidth), out.U16(kFrameHeight);
    out.End(stream);
    const size_t format = out.Begin("strf");
    BitmapInfoHeader(out, kFrameWidth, kFrameHeight, 8, frameBytes, 256);
    for (int i = 0; i < 256; ++i) {
        const Rgb colour = i < kInkCount ? kPalette[i] : Rgb{0, 0, 0};
        out.U8(colour.blue), out.U8(colour.green), out.U8(colour.red), out.U8(0);
    }
    out.End(format);
    out.End(streamList);
    out.End(header);

    // Index offsets count from the list type 'movi', where Begin puts `movie`.
    const size_t movie = out.BeginList("LIST", "movi");
    std::vector<uint32_t> offsets;
    for (int frame = 0; frame < kFrameCount; ++frame) {
        offsets.push_back(static_cast<uint32_t>(out.Size() - movie));
        const Canvas canvas = SearchFrame(frame);
        const size_t chunk = out.Begin("00db");
        for (int y = kFrameHeight - 1; y >= 0; --y)
            out.Append({canvas.ink.begin() + y * kFrameWidth, canvas.ink.begin() + (y + 1) * kFrameWidth});
        out.End(chunk);
    }
    out.End(movie);
    const size_t index = out.Begin("idx1");
    for (uint32_t offset : offsets) {
        out.Tag("00db");
        out.U32(0x10);  // AVIIF_KEYFRAME: every frame stands alone
        out.U32(offset), out.U32(frameBytes);
    }
    out.End(index);
    out.End(riff);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: art-gen <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool written = IconFile({PlayerIcon(16), PlayerIcon(32)}).Save(folder + "/caddis.ico") &&
                         IconFile({AboutIcon()}).Save(folder + "/about.ico") &&
                         AnimationFile().Save(folder + "/search.avi");
    return written ? 0 : 1;
}
