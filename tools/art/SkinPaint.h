// True-colour painting for the skin's pictures: shapes as tests on sample
// points, painted with smoothed edges. Each pixel is sampled 4 by 4 times
// and the share of samples inside a shape blends its colour in, all in
// integers, so every run draws the same bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "ArtFiles.h"
#include "ArtShapes.h"

struct Rgba {
    uint8_t r, g, b, a;
};

constexpr Rgba Rgb(uint8_t r, uint8_t g, uint8_t b) { return {r, g, b, 255}; }

// `part` of `whole` of the way from one colour to the other.
Rgba Mix(Rgba from, Rgba to, int part, int whole);
Rgba WithAlpha(Rgba colour, uint8_t alpha);

// Sample points are in units of 1/8 pixel; pixel x spans 8x to 8x + 8.
constexpr int64_t kSampleUnit = 8;

struct Point {
    int x, y;  // pixel corners
};

using Shape = std::function<bool(int64_t x, int64_t y)>;
Shape RectShape(const Box& box);
Shape RoundRectShape(const Box& box, int radius);
Shape EllipseShape(const Box& box);
Shape RingShape(const Box& box, int thickness);
Shape StrokeShape(Point from, Point to, int thickness);
Shape PolygonShape(std::vector<Point> corners);  // convex, either winding
Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Moved(Shape shape, int dx, int dy);

using Colouring = std::function<Rgba(int x, int y)>;
Colouring Solid(Rgba colour);
// From `top` at row y0 to `bottom` at row y1, clamped outside.
Colouring Vertical(Rgba top, Rgba bottom, int y0, int y1);
Colouring Horizontal(Rgba left, Rgba right, int x0, int x1);

// Samples inside the shape for pixel (x, y), 0 to 16.
int Coverage(const Shape& shape, int x, int y);
constexpr int kFullCoverage = 16;

class Picture {
public:
    Picture(int width, int height, Rgba fill);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rgba& At(int x, int y) { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    Rgba At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }

    // Lays the colouring over the pixels of `area` that the shape covers.
    void Paint(const Box& area, const Shape& shape, const Colouring& colouring);
    // As Paint, without smoothing: a pixel is in when half its samples are.
    void PaintHard(const Box& area, const Shape& shape, const Colouring& colouring);
    // Lays another picture over this one with its top-left corner at (x, y).
    void Place(const Picture& other, int x, int y);
    Picture Crop(const Box& box) const;

    // A 24-bit bitmap file, bottom row first; alpha is dropped.
    Bytes BitmapFile() const;
    // The picture as one image of an icon (square pictures only).
    IconImage Icon() const;

private:
    void Blend(int x, int y, Rgba colour, int alpha);

    int m_width;
    int m_height;
    std::vector<Rgba> m_pixels;
};
