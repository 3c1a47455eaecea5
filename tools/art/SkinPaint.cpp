#include "SkinPaint.h"

#include <algorithm>
#include <utility>

Rgba Mix(Rgba from, Rgba to, int part, int whole) {
    part = std::clamp(part, 0, whole);
    auto channel = [&](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>((a * (whole - part) + b * part + whole / 2) / whole);
    };
    return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b), channel(from.a, to.a)};
}

Rgba WithAlpha(Rgba colour, uint8_t alpha) { return {colour.r, colour.g, colour.b, alpha}; }

Shape RectShape(const Box& box) {
    return [box](int64_t x, int64_t y) {
        return x >= kSampleUnit * box.left && x < kSampleUnit * box.right && y >= kSampleUnit * box.top &&
               y < kSampleUnit * box.bottom;
    };
}

Shape RoundRectShape(const Box& box, int radius) {
    return [box, radius](int64_t x, int64_t y) { return InRoundRect(box, radius, x, y, kSampleUnit); };
}

Shape EllipseShape(const Box& box) {
    return [box](int64_t x, int64_t y) { return InEllipse(box, x, y, kSampleUnit); };
}

Shape RingShape(const Box& box, int thickness) {
    return Minus(EllipseShape(box), EllipseShape(Inset(box, thickness)));
}

Shape StrokeShape(Point from, Point to, int thickness) {
    return [=](int64_t x, int64_t y) {
        return NearSegment(from.x, from.y, to.x, to.y, thickness, x, y, kSampleUnit);
    };
}

Shape PolygonShape(std::vector<Point> corners) {
    return [corners = std::move(corners)](int64_t x, int64_t y) {
        bool anyLeft = false, anyRight = false;
        for (size_t i = 0; i < corners.size(); ++i) {
            const Point a = corners[i], b = corners[(i + 1) % corners.size()];
            const int64_t side = (kSampleUnit * (b.x - a.x)) * (y - kSampleUnit * a.y) -
                                 (kSampleUnit * (b.y - a.y)) * (x - kSampleUnit * a.x);
            anyLeft = anyLeft || side < 0;
            anyRight = anyRight || side > 0;
        }
        return !(anyLeft && anyRight);
    };
}

Shape Union(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](int64_t x, int64_t y) { return a(x, y) || b(x, y); };
}

Shape Minus(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](int64_t x, int64_t y) { return a(x, y) && !b(x, y); };
}

Shape Intersect(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](int64_t x, int64_t y) { return a(x, y) && b(x, y); };
}

Shape Moved(Shape shape, int dx, int dy) {
    return [shape = std::move(shape), dx, dy](int64_t x, int64_t y) {
        return shape(x - kSampleUnit * dx, y - kSampleUnit * dy);
    };
}

Colouring Solid(Rgba colour) {
    return [colour](int, int) { return colour; };
}

Colouring Vertical(Rgba top, Rgba bottom, int y0, int y1) {
    return [=](int, int y) { return Mix(top, bottom, y - y0, std::max(y1 - y0, 1)); };
}

Colouring Horizontal(Rgba left, Rgba right, int x0, int x1) {
    return [=](int x, int) { return Mix(left, right, x - x0, std::max(x1 - x0, 1)); };
}

int Coverage(const Shape& shape, int x, int y) {
    int inside = 0;
    for (int sy = 1; sy < kSampleUnit; sy += 2)
        for (int sx = 1; sx < kSampleUnit; sx += 2)
            if (shape(kSampleUnit * x + sx, kSampleUnit * y + sy)) ++inside;
    return inside;
}

Picture::Picture(int width, int height, Rgba fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height, fill) {}

// "Over" compositing of the colour with the given opacity.
void Picture::Blend(int x, int y, Rgba colour, int alpha) {
    if (alpha == 0) return;
    Rgba& pixel = At(x, y);
    const int below = pixel.a * (255 - alpha) / 255;
    const int total = alpha + below;
    auto channel = [&](uint8_t over, uint8_t under) {
        return static_cast<uint8_t>((over * alpha + under * below + total / 2) / total);
    };
    pixel = {channel(colour.r, pixel.r), channel(colour.g, pixel.g), channel(colour.b, pixel.b),
             static_cast<uint8_t>(total)};
}

void Picture::Paint(const Box& area, const Shape& shape, const Colouring& colouring) {
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, m_height); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, m_width); ++x) {
            const int coverage = Coverage(shape, x, y);
            if (coverage == 0) continue;
            const Rgba colour = colouring(x, y);
            Blend(x, y, colour, colour.a * coverage / kFullCoverage);
        }
}

void Picture::PaintHard(const Box& area, const Shape& shape, const Colouring& colouring) {
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, m_height); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, m_width); ++x)
            if (2 * Coverage(shape, x, y) >= kFullCoverage) At(x, y) = colouring(x, y);
}

void Picture::Place(const Picture& other, int left, int top) {
    for (int y = 0; y < other.Height(); ++y)
        for (int x = 0; x < other.Width(); ++x) {
            const int tx = left + x, ty = top + y;
            if (tx < 0 || ty < 0 || tx >= m_width || ty >= m_height) continue;
            Blend(tx, ty, other.At(x, y), other.At(x, y).a);
        }
}

Picture Picture::Crop(const Box& box) const {
    Picture crop(box.right - box.left, box.bottom - box.top, Rgb(0, 0, 0));
    for (int y = 0; y < crop.Height(); ++y)
        for (int x = 0; x < crop.Width(); ++x) crop.At(x, y) = At(box.left + x, box.top + y);
    return crop;
}

Bytes Picture::BitmapFile() const {
    const uint32_t rowBytes = (3 * m_width + 3) / 4 * 4;
    const uint32_t imageBytes = rowBytes * m_height;
    Bytes out;
    out.U8('B'), out.U8('M'), out.U32(14 + 40 + imageBytes), out.U32(0), out.U32(14 + 40);
    BitmapInfoHeader(out, m_width, m_height, 24, imageBytes, 0);
    for (int y = m_height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < m_width; ++x) {
            const Rgba pixel = At(x, y);
            row[3 * x] = pixel.b, row[3 * x + 1] = pixel.g, row[3 * x + 2] = pixel.r;
        }
        out.Append(row);
    }
    return out;
}

IconImage Picture::Icon() const {
    IconImage image{m_width, {}};
    for (const Rgba& pixel : m_pixels) image.bgra.insert(image.bgra.end(), {pixel.b, pixel.g, pixel.r, pixel.a});
    return image;
}
