// How the capacity gauge divides its rectangle: the length that shows the
// player's used memory, from the left of a horizontal gauge or the bottom
// of a vertical one (taller than wide), the rest showing free memory.
#pragma once

#include <cstdint>
#include <vector>

struct GaugeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class GaugeLayout {
public:
    void SetRect(const GaugeRect& rect);
    // `capacity` holds total, then free, in the same unit (KB). A gauge
    // without width or height keeps its length; no total shows nothing used.
    // Integer arithmetic as the gauge always had: with a total of at least
    // the gauge's length, used = (total - free) / (total / length); else
    // (total - free) x (length / total). Free beyond total shows nothing
    // used, and what the rounding would push past the end stops there.
    void SetCapacity(const std::vector<uint64_t>& capacity);

    const GaugeRect& Rect() const { return m_rect; }
    bool Vertical() const { return m_vertical; }
    int Length() const;
    int Used() const { return m_used; }

private:
    GaugeRect m_rect;
    bool m_vertical = false;
    int m_used = 0;
};
