#include "SkinGlyphs.h"

#include <utility>

namespace {

const int kDesign = 24;  // design grid units across a glyph

Box B(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

Shape Stroke(int x0, int y0, int x1, int y1, int thickness) { return StrokeShape({x0, y0}, {x1, y1}, thickness); }

Shape Poly(std::initializer_list<Point> corners) { return PolygonShape(std::vector<Point>(corners)); }

// The arrow head and shaft pointing right; mirrored for left.
Shape Arrow(bool right) {
    Shape arrow = Union(Stroke(4, 12, 13, 12, 5), Poly({{11, 3}, {21, 12}, {11, 21}}));
    if (right) return arrow;
    return [arrow = std::move(arrow)](int64_t x, int64_t y) { return arrow(kSampleUnit * kDesign - x, y); };
}

Shape Trash() {
    const Shape lid = Union(Stroke(4, 6, 20, 6, 2), Stroke(9, 3, 15, 3, 2));
    const Shape can = Poly({{6, 8}, {18, 8}, {17, 22}, {7, 22}});
    const Shape slots = Union(Union(Stroke(10, 11, 10, 19, 1), Stroke(12, 11, 12, 19, 1)), Stroke(14, 11, 14, 19, 1));
    return Union(lid, Minus(can, slots));
}

Shape Refresh() {
    const Shape ring = Minus(RingShape(B(3, 3, 21, 21), 3), Poly({{12, 12}, {12, 0}, {24, 0}, {24, 7}}));
    return Union(ring, Poly({{10, 0}, {17, 5}, {10, 10}}));
}

Shape Format() {
    const Shape card = Poly({{4, 4}, {14, 4}, {18, 8}, {18, 22}, {4, 22}});
    const Shape label = RectShape(B(7, 12, 15, 19));
    const Shape sparkle = Union(Poly({{19, 0}, {20, 4}, {19, 8}, {18, 4}}), Poly({{15, 4}, {19, 3}, {23, 4}, {19, 5}}));
    return Union(Minus(card, label), sparkle);
}

Shape Speech() {
    const Shape bubble = Union(RoundRectShape(B(2, 3, 22, 17), 5), Poly({{6, 15}, {6, 22}, {12, 15}}));
    const Shape dots = Union(Union(EllipseShape(B(6, 8, 9, 11)), EllipseShape(B(11, 8, 14, 11))),
                             EllipseShape(B(16, 8, 19, 11)));
    return Minus(bubble, dots);
}

Shape Document() {
    const Shape page = Poly({{5, 2}, {14, 2}, {19, 7}, {19, 22}, {5, 22}});
    const Shape fold = Poly({{14, 2}, {14, 7}, {19, 7}});
    const Shape lines = Union(Union(Stroke(8, 11, 16, 11, 1), Stroke(8, 14, 16, 14, 1)), Stroke(8, 17, 13, 17, 1));
    return Minus(Minus(page, lines), Minus(fold, Stroke(14, 2, 19, 7, 1)));
}

Shape Copy() {
    const Shape back = Minus(RectShape(B(3, 2, 14, 16)), RectShape(B(5, 4, 12, 14)));
    const Shape front = RectShape(B(9, 8, 21, 22));
    const Shape gap = RectShape(B(8, 7, 22, 23));
    return Union(Minus(back, gap), Minus(front, Union(Stroke(12, 13, 18, 13, 1), Stroke(12, 17, 18, 17, 1))));
}

Shape Help() {
    const Shape hook = Minus(RingShape(B(6, 2, 18, 14), 3), RectShape(B(0, 8, 12, 24)));
    const Shape neck = Union(Stroke(15, 12, 12, 15, 3), Stroke(12, 15, 12, 16, 3));
    return Union(Union(hook, neck), EllipseShape(B(10, 18, 14, 22)));
}

Shape Chip() {
    Shape chip = Minus(RoundRectShape(B(6, 5, 18, 19), 1), EllipseShape(B(8, 7, 11, 10)));
    for (int y : {8, 12, 16}) chip = Union(Union(chip, Stroke(2, y, 6, y, 2)), Stroke(18, y, 22, y, 2));
    return chip;
}

Shape Card() {
    Shape card = Poly({{6, 2}, {15, 2}, {19, 6}, {19, 22}, {6, 22}});
    for (int x : {9, 12, 15}) card = Minus(card, Stroke(x, 4, x, 7, 1));
    return card;
}

Shape Monitor() {
    const Shape screen = Minus(RoundRectShape(B(2, 3, 22, 17), 2), RectShape(B(4, 5, 20, 15)));
    return Union(Union(screen, Poly({{10, 17}, {14, 17}, {15, 20}, {9, 20}})), Stroke(7, 21, 17, 21, 2));
}

Shape Player() {
    const Shape body = Minus(RoundRectShape(B(6, 1, 18, 23), 4), RectShape(B(8, 3, 16, 10)));
    return Minus(body, RingShape(B(8, 12, 16, 20), 2));
}

Shape Funnel() {
    return Union(Poly({{3, 4}, {21, 4}, {14, 12}, {10, 12}}), Poly({{10, 11}, {14, 11}, {14, 18}, {10, 21}}));
}

Shape Speaker() {
    const Shape cone = Union(RectShape(B(2, 9, 8, 15)), Poly({{7, 9}, {13, 4}, {13, 20}, {7, 15}}));
    const Shape near = Intersect(RingShape(B(9, 7, 19, 17), 2), RectShape(B(15, 0, 24, 24)));
    const Shape far = Intersect(RingShape(B(7, 3, 23, 21), 2), RectShape(B(17, 0, 24, 24)));
    return Union(cone, Union(near, far));
}

Shape Design(Glyph glyph) {
    switch (glyph) {
    case Glyph::kArrowRight: return Arrow(true);
    case Glyph::kArrowLeft: return Arrow(false);
    case Glyph::kTrash: return Trash();
    case Glyph::kRefresh: return Refresh();
    case Glyph::kFormat: return Format();
    case Glyph::kSpeech: return Speech();
    case Glyph::kMinimise: return Stroke(6, 17, 18, 17, 3);
    case Glyph::kClose: return Union(Stroke(7, 7, 17, 17, 3), Stroke(17, 7, 7, 17, 3));
    case Glyph::kPlay: return Poly({{8, 4}, {20, 12}, {8, 20}});
    case Glyph::kStop: return RoundRectShape(B(6, 6, 18, 18), 1);
    case Glyph::kDocument: return Document();
    case Glyph::kCopy: return Copy();
    case Glyph::kHelp: return Help();
    case Glyph::kChip: return Chip();
    case Glyph::kCard: return Card();
    case Glyph::kMonitor: return Monitor();
    case Glyph::kPlayer: return Player();
    case Glyph::kFunnel: return Funnel();
    case Glyph::kSpeaker: return Speaker();
    case Glyph::kMenuMark: return Poly({{4, 8}, {20, 8}, {12, 17}});
    }
    return RectShape(B(0, 0, 0, 0));
}

}  // namespace

Shape GlyphShape(Glyph glyph, int x, int y, int size) { return DesignShape(Design(glyph), x, y, size); }

Shape DesignShape(Shape design, int x, int y, int size) {
    return [design = std::move(design), x, y, size](int64_t sx, int64_t sy) {
        return design((sx - kSampleUnit * x) * kDesign / size, (sy - kSampleUnit * y) * kDesign / size);
    };
}
