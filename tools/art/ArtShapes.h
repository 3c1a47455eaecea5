// The shape tests the picture generators share. A point is given in units
// of 1/k pixel (k even), so the centre of pixel x is k * x + k / 2 and every
// test stays in integers: the pictures come out the same on every machine.
#pragma once

#include <algorithm>
#include <cstdint>

struct Box {
    int left, top, right, bottom;  // right and bottom are outside the box
};

inline Box Inset(const Box& box, int by) {
    return {box.left + by, box.top + by, box.right - by, box.bottom - by};
}

// The ellipse that fills the box.
inline bool InEllipse(const Box& box, int64_t x, int64_t y, int64_t k) {
    const int64_t half = k / 2;
    const int64_t dx = x - half * (box.left + box.right), dy = y - half * (box.top + box.bottom);
    const int64_t a = half * (box.right - box.left), b = half * (box.bottom - box.top);
    return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
}

// The box with its corners rounded off by circles of `radius` pixels.
inline bool InRoundRect(const Box& box, int radius, int64_t x, int64_t y, int64_t k) {
    // Distance from the inner rectangle the corner circles are centred on.
    const int64_t dx = x - std::clamp<int64_t>(x, k * (box.left + radius), k * (box.right - radius));
    const int64_t dy = y - std::clamp<int64_t>(y, k * (box.top + radius), k * (box.bottom - radius));
    return dx * dx + dy * dy <= k * k * radius * radius;
}

// A stroke `thickness` pixels wide with round ends, between two grid points.
inline bool NearSegment(int x0, int y0, int x1, int y1, int thickness, int64_t x, int64_t y, int64_t k) {
    const int64_t ex = k * (x1 - x0), ey = k * (y1 - y0), length2 = ex * ex + ey * ey;
    const int64_t reach = k / 2 * thickness, reach2 = reach * reach;
    const int64_t vx = x - k * x0, vy = y - k * y0, along = vx * ex + vy * ey;
    if (along <= 0) return vx * vx + vy * vy <= reach2;
    if (along >= length2) return (vx - ex) * (vx - ex) + (vy - ey) * (vy - ey) <= reach2;
    const int64_t across = vx * ey - vy * ex;
    return across * across <= reach2 * length2;
}
