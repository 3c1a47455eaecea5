#include "SkinBackground.h"

#include "SkinGeometry.h"
#include "SkinGlyphs.h"
#include "SkinPalette.h"

namespace {

const Box kWindow = {0, 0, kWindowWidth, kWindowHeight};

Box Around(const Box& box, int by) { return Inset(box, -by); }

// The place of a shown element, by the lower id of its string.
Box Place(unsigned stringId) {
    Box place = {0, 0, 0, 0};
    ElementPlace(stringId, place);
    return place;
}

// The body with the lug a strap goes through grown out of its top edge.
void Body(Picture& picture) {
    const Shape outer = Union(RoundRectShape(kBody, kBodyCorner), RoundRectShape(kLug, kLugCorner));
    const Box inner = Inset(kBody, 2);
    const Box lugInner = {kLug.left + 2, kLug.top + 2, kLug.right - 2, kBody.top + 8};
    const Shape innerShape = Union(RoundRectShape(inner, kBodyCorner - 2), RoundRectShape(lugInner, kLugCorner - 2));
    picture.Paint(kWindow, outer, Vertical(kBodyTop, kBodyBottom, kBody.top, kBody.bottom));
    // The top bar catches the light; a groove parts the deck from the panels.
    picture.Paint(kWindow, Intersect(outer, RectShape({0, 0, kWindowWidth, kTopBarBottom})),
                  Vertical(WithAlpha(kWhite, 40), WithAlpha(kWhite, 8), kBody.top, kTopBarBottom));
    picture.Paint(kWindow, RectShape({kBodyCorner, kDeckTop, kWindowWidth - kBodyCorner, kDeckTop + 1}), Solid(kEdge));
    picture.Paint(kWindow, RectShape({kBodyCorner, kDeckTop + 1, kWindowWidth - kBodyCorner, kDeckTop + 2}),
                  Solid(WithAlpha(kWhite, 36)));
    // A dark edge all round, with a light rim inside it along the top, and
    // round the lug's slot.
    picture.Paint(kWindow, Minus(outer, innerShape), Solid(kEdge));
    const Shape rimInner = Union(RoundRectShape(Inset(inner, 1), kBodyCorner - 3),
                                 RoundRectShape(Inset(lugInner, 1), kLugCorner - 3));
    picture.Paint(kWindow, Minus(innerShape, rimInner), Vertical(kRim, WithAlpha(kRim, 0), kLug.top, inner.top + 90));
    picture.Paint(kWindow, RoundRectShape(Inset(kLugSlot, -2), 4), Solid(kEdge));
}

// The wheel below the body: a silver ring around the play button.
void Wheel(Picture& picture) {
    picture.Paint(kWheel, EllipseShape(kWheel), Solid(kEdge));
    picture.Paint(kWheel, EllipseShape(Inset(kWheel, 2)), Vertical(kSilverTop, kSilverBottom, kWheel.top, kWheel.bottom));
    const Box groove = Inset(kWheel, 14);
    picture.Paint(kWheel, EllipseShape(groove), Vertical(kSilverBottom, kSilverTop, groove.top, groove.bottom));
    picture.Paint(kWheel, RingShape(groove, 1), Solid(WithAlpha(kEdge, 160)));
    // Marks at the four points of the ring, as on a player's wheel.
    const int middleX = (kWheel.left + kWheel.right) / 2, middleY = (kWheel.top + kWheel.bottom) / 2;
    const int reach = (kWheel.right - kWheel.left) / 2 - 7;
    for (const Point mark : {Point{middleX, middleY - reach}, Point{middleX, middleY + reach},
                             Point{middleX - reach, middleY}, Point{middleX + reach, middleY}}) {
        picture.Paint(kWheel, EllipseShape({mark.x - 2, mark.y - 2, mark.x + 2, mark.y + 2}), Solid(kInk));
    }
}

// A recessed panel with a light surface, where a side's views sit.
void Well(Picture& picture, const Box& well) {
    const Box area = Around(well, 2);
    picture.Paint(area, RoundRectShape(Around(well, 1), 8), Solid(WithAlpha(kWhite, 40)));
    picture.Paint(area, RoundRectShape(well, 7), Solid(kWell));
    const Box paper = Inset(well, 2);
    picture.Paint(area, RoundRectShape(paper, 5), Vertical(kPaperTop, kPaperBottom, paper.top, paper.bottom));
}

// A frame one pixel outside a control, so the control sits in a slot.
void Slot(Picture& picture, const Box& control) {
    const Box frame = Around(control, 1);
    picture.Paint(Around(frame, 1), Minus(RectShape(frame), RectShape(control)), Solid(Rgb(120, 134, 160)));
}

void Symbol(Picture& picture, Glyph glyph, int x, int y, int size, Rgba colour) {
    picture.Paint({x - 1, y - 1, x + size + 1, y + size + 1}, GlyphShape(glyph, x, y, size), Solid(colour));
}

void Panels(Picture& picture) {
    Well(picture, kPcWell);
    Well(picture, kPlayerWell);
    // The folder tree and both file lists sit in slots; the gauge in a frame.
    for (unsigned element : {126u, 128u, 130u}) Slot(picture, Place(element));
    Symbol(picture, Glyph::kMonitor, kPcWell.left + 8, kPcWell.top + 4, 22, kInk);
    Symbol(picture, Glyph::kPlayer, kPlayerWell.left + 6, kPlayerWell.top + 4, 22, kInk);
    const Box gauge = Place(132);
    picture.Paint(Around(gauge, 2), RectShape(Around(gauge, 1)), Solid(kEdge));
}

// The LCD panel under the player's files: a column per drive under its
// symbol, and a row each for total, free and used, told apart by swatches
// in the gauge's colours.
void CapacityPanel(Picture& picture) {
    const Box lcd = kCapacityPanel;
    picture.Paint(lcd, RoundRectShape(lcd, 4), Solid(kLcdEdge));
    picture.Paint(lcd, RoundRectShape(Inset(lcd, 1), 3), Vertical(kLcdTop, kLcdBottom, lcd.top, lcd.bottom));
    const unsigned columns[2][3] = {{134, 136, 140}, {138, 174, 142}};
    const Glyph drives[2] = {Glyph::kChip, Glyph::kCard};
    for (int column = 0; column < 2; ++column) {
        const Box total = Place(columns[column][0]);
        Symbol(picture, drives[column], total.right - 15, lcd.top + 3, 15, kLcdInk);
    }
    const Box divider = {Place(columns[0][0]).right + 3, lcd.top + 4, Place(columns[0][0]).right + 4, lcd.bottom - 4};
    picture.Paint(divider, RectShape(divider), Solid(WithAlpha(kLcdInk, 70)));
    for (int row = 0; row < 3; ++row) {
        const Box text = Place(columns[0][row]);
        const Box swatch = {lcd.left + 6, text.top + 3, lcd.left + 16, text.top + 11};
        picture.Paint(swatch, RectShape(swatch), Solid(kLcdInk));
        const Box inside = Inset(swatch, 1);
        const int split = row == 0 ? inside.left + 4 : row == 1 ? inside.left : inside.right;
        picture.Paint(inside, RectShape({inside.left, inside.top, split, inside.bottom}),
                      Vertical(kUsedTop, kUsedBottom, inside.top, inside.bottom));
        picture.Paint(inside, RectShape({split, inside.top, inside.right, inside.bottom}),
                      Vertical(kFreeTop, kFreeBottom, inside.top, inside.bottom));
    }
}

// "LUMO" beside a player, in brushed silver. The letters are drawn on the
// glyphs' design grid, so their strokes meet on fractions of a pixel.
void Logo(Picture& picture) {
    auto stroke = [](int x0, int y0, int x1, int y1) { return StrokeShape({x0, y0}, {x1, y1}, 4); };
    const Shape l = Union(stroke(2, 2, 2, 22), stroke(2, 22, 13, 22));
    const Shape u = Union(Union(stroke(20, 2, 20, 13), stroke(36, 2, 36, 13)),
                          Intersect(RingShape({18, 4, 38, 24}, 4), RectShape({16, 13, 40, 26})));
    const Shape m = Union(Union(stroke(46, 22, 46, 2), stroke(46, 2, 55, 14)),
                          Union(stroke(55, 14, 64, 2), stroke(64, 2, 64, 22)));
    const Shape o = RingShape({70, 0, 94, 24}, 4);
    const int x = 60, y = 19, height = 16;
    const Shape letters = DesignShape(Union(Union(l, u), Union(m, o)), x, y, height);
    const Box area = {x - 2, y - 2, x + 70, y + height + 3};
    picture.Paint(area, Moved(letters, 1, 1), Solid(kShadow));
    picture.Paint(area, letters, Vertical(kWhite, kEngraving, y, y + height));
    Symbol(picture, Glyph::kPlayer, 30, 14, 26, kEngraving);
}

void PrintedSymbols(Picture& picture) {
    const Box filter = Place(107);
    Symbol(picture, Glyph::kFunnel, filter.left - 22, filter.top + 1, 18, kEngraving);
    const Box volume = Place(112);
    Symbol(picture, Glyph::kSpeaker, volume.left - 24, volume.top + 3, 20, kEngraving);
}

}  // namespace

Picture Background() {
    Picture picture(kWindowWidth, kWindowHeight, kBodyBottom);
    Body(picture);
    Wheel(picture);
    Panels(picture);
    CapacityPanel(picture);
    Logo(picture);
    PrintedSymbols(picture);
    // Whatever lies outside the outline takes the one colour that marks it,
    // with hard edges, as the window's region will cut it.
    picture.PaintHard(kWindow, [outline = WindowOutline()](int64_t x, int64_t y) { return !outline(x, y); },
                      Solid(kOutside));
    return picture;
}
