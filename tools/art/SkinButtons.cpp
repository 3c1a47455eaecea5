#include "SkinButtons.h"

#include "SkinGeometry.h"
#include "SkinGlyphs.h"
#include "SkinPalette.h"

namespace {

enum class Face {
    kRaised,  // a rounded key
    kRadio,   // a rounded key that stays lit while its drive is shown
    kFlat,    // a menu button of the top bar: only its symbol until pointed at
    kRound,   // a round key
    kClose,   // a round key that turns red when pointed at
    kPlay,    // the amber key in the wheel
};

struct Design {
    unsigned elementId;
    const char* fileName;
    Face face;
    int corner;  // radius of the corners; round faces ignore it
    Glyph glyph;
    int glyphSize;
};

const Design kDesigns[] = {
    {103, "minimise.bmp", Face::kRound, 0, Glyph::kMinimise, 16},
    {105, "close.bmp", Face::kClose, 0, Glyph::kClose, 16},
    {148, "menu-file.bmp", Face::kFlat, 6, Glyph::kDocument, 18},
    {150, "menu-copy.bmp", Face::kFlat, 6, Glyph::kCopy, 18},
    {152, "menu-refresh.bmp", Face::kFlat, 6, Glyph::kRefresh, 18},
    {154, "menu-help.bmp", Face::kFlat, 6, Glyph::kHelp, 18},
    {123, "copy-to-player.bmp", Face::kRaised, 9, Glyph::kArrowRight, 26},
    {121, "copy-to-pc.bmp", Face::kRaised, 9, Glyph::kArrowLeft, 26},
    {117, "delete.bmp", Face::kRaised, 9, Glyph::kTrash, 24},
    {144, "drive1.bmp", Face::kRadio, 6, Glyph::kChip, 18},
    {146, "drive2.bmp", Face::kRadio, 6, Glyph::kCard, 18},
    {119, "format.bmp", Face::kRaised, 10, Glyph::kFormat, 26},
    {115, "refresh.bmp", Face::kRaised, 10, Glyph::kRefresh, 26},
    {176, "speech.bmp", Face::kRaised, 10, Glyph::kSpeech, 26},
    {109, "play.bmp", Face::kPlay, 0, Glyph::kPlay, 26},
    {110, "stop.bmp", Face::kRound, 0, Glyph::kStop, 18},
};

enum class State { kNormal, kHover, kDown, kDisabled };

// How a face looks in one state. A transparent colour leaves that part out.
struct Look {
    Rgba top, bottom, border, glyph, glow;
    bool gloss;
};

const Rgba kNone = {0, 0, 0, 0};

Look LookOf(Face face, State state) {
    const Look disabled = {Rgb(104, 108, 118), Rgb(80, 84, 94), Rgb(46, 50, 60), Rgb(146, 150, 160), kNone, false};
    if (state == State::kDisabled) {
        if (face == Face::kFlat) return {kNone, kNone, kNone, Rgb(120, 130, 150), kNone, false};
        return disabled;
    }
    const Look raised[] = {
        {Rgb(100, 124, 168), Rgb(54, 70, 104), kEdge, Rgb(242, 246, 252), kNone, true},
        {Rgb(124, 154, 206), Rgb(66, 90, 134), kEdge, kWhite, kGlow, true},
        {Rgb(38, 50, 78), Rgb(70, 90, 128), kEdge, Rgb(206, 232, 255), kNone, false},
    };
    const int index = static_cast<int>(state);
    switch (face) {
    case Face::kRaised:
    case Face::kRound: return raised[index];
    case Face::kRadio:
        if (state == State::kDown) return {Rgb(40, 150, 214), Rgb(16, 84, 150), kEdge, kWhite, kGlow, true};
        return raised[index];
    case Face::kClose:
        if (state == State::kHover) return {Rgb(238, 104, 88), Rgb(168, 40, 30), kEdge, kWhite, kNone, true};
        if (state == State::kDown) return {Rgb(130, 30, 24), Rgb(190, 60, 48), kEdge, Rgb(255, 220, 214), kNone, false};
        return raised[index];
    case Face::kFlat:
        if (state == State::kNormal) return {kNone, kNone, kNone, kEngraving, kNone, false};
        if (state == State::kHover) return {Rgb(112, 140, 190), Rgb(70, 92, 136), kEdge, kWhite, kNone, true};
        return raised[index];
    case Face::kPlay:
        if (state == State::kNormal) return {Rgb(255, 206, 104), Rgb(232, 136, 24), kEdge, Rgb(74, 44, 8), kNone, true};
        if (state == State::kHover) return {Rgb(255, 226, 150), Rgb(248, 158, 44), kEdge, Rgb(60, 32, 0), kGlow, true};
        return {Rgb(186, 98, 14), Rgb(236, 150, 40), kEdge, Rgb(60, 32, 0), kNone, false};
    }
    return disabled;
}

bool IsRound(Face face) { return face == Face::kRound || face == Face::kClose || face == Face::kPlay; }

Shape Outline(const Design& design, const Box& box) {
    return IsRound(design.face) ? EllipseShape(box) : RoundRectShape(box, design.corner);
}

// The frame of one state over the piece of background the button covers.
Picture Frame(const Design& design, const Picture& under, State state) {
    const int width = under.Width(), height = under.Height();
    const Box all = {0, 0, width, height};
    const Box inner = Inset(all, 1);
    const Look look = LookOf(design.face, state);
    Picture frame = under;
    if (look.border.a) frame.Paint(all, Outline(design, all), Solid(look.border));
    if (look.top.a) frame.Paint(all, Outline(design, inner), Vertical(look.top, look.bottom, 0, height));
    if (look.gloss) {
        frame.Paint(all, Intersect(Outline(design, Inset(inner, 1)), RectShape({0, 0, width, height / 2})),
                    Vertical(WithAlpha(kWhite, 70), WithAlpha(kWhite, 14), 0, height / 2));
    }
    if (look.glow.a) frame.Paint(all, Minus(Outline(design, inner), Outline(design, Inset(inner, 2))), Solid(look.glow));

    const int shift = state == State::kDown ? 1 : 0;
    const int size = design.glyphSize;
    const bool menu = design.face == Face::kFlat;
    // A menu button carries its menu mark beside the symbol.
    const int glyphX = (menu ? (width - size - 8) / 2 : (width - size) / 2) + shift;
    const int glyphY = (height - size) / 2 + shift;
    Shape glyph = GlyphShape(design.glyph, glyphX, glyphY, size);
    if (menu) glyph = Union(glyph, GlyphShape(Glyph::kMenuMark, glyphX + size, glyphY + size / 2 - 3, 10));
    if (state != State::kDisabled) frame.Paint(all, Moved(glyph, 1, 1), Solid(kShadow));
    frame.Paint(all, glyph, Solid(look.glyph));
    return frame;
}

// Black where the button is, white where the background shows.
Picture Mask(const Design& design, int width, int height) {
    Picture mask(width, height, kWhite);
    const Shape outline = Outline(design, {0, 0, width, height});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (Coverage(outline, x, y) > 0) mask.At(x, y) = kBlack;
    return mask;
}

}  // namespace

std::vector<ButtonStrip> ButtonStrips(const Picture& background) {
    std::vector<ButtonStrip> strips;
    for (const Design& design : kDesigns) {
        Box place;
        if (!ElementPlace(design.elementId, place)) continue;
        const Picture under = background.Crop(place);
        const int width = under.Width(), height = under.Height();
        Picture strip(5 * width, height, kWhite);
        const State states[] = {State::kNormal, State::kHover, State::kDown, State::kDisabled};
        for (int i = 0; i < 4; ++i) strip.Place(Frame(design, under, states[i]), i * width, 0);
        strip.Place(Mask(design, width, height), 4 * width, 0);
        strips.push_back({design.elementId, design.fileName, strip});
    }
    return strips;
}

Picture GaugeTile(bool used) {
    Box gauge;
    ElementPlace(132, gauge);
    const int height = gauge.bottom - gauge.top;
    Picture tile(4, height, kGaugeGap);
    const Rgba top = used ? kUsedTop : kFreeTop, bottom = used ? kUsedBottom : kFreeBottom;
    tile.Paint({0, 0, 3, height}, RectShape({0, 1, 3, height - 1}), Vertical(top, bottom, 1, height - 1));
    return tile;
}
