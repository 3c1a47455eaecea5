// A region's rectangles as the platform's region data: a 32-byte header
// (header size 32, type 1 for rectangles, rectangle count, region size 0,
// bounding rectangle) followed by the rectangles, each left, top, right,
// bottom as 32-bit integers, all little-endian. Room grows by a fixed
// number of rectangles at a time; the bounding rectangle starts as
// (0x7FFFFFFF, 0x7FFFFFFF, 0, 0) and widens with every rectangle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RegionRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    bool operator==(const RegionRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

class RegionData {
public:
    static constexpr size_t kHeaderSize = 32;
    static constexpr size_t kRectSize = 16;

    explicit RegionData(size_t growth);

    void Add(const RegionRect& rect);
    // The count and the bounds start afresh; the room stays.
    void Clear();

    uint32_t Count() const { return m_count; }
    size_t Room() const { return m_room; }
    RegionRect Rect(uint32_t index) const;
    RegionRect Bounds() const;
    // The header and the rectangles counted: what the platform reads.
    const uint8_t* Bytes() const { return m_bytes.data(); }
    uint32_t Size() const { return static_cast<uint32_t>(kHeaderSize + m_count * kRectSize); }

private:
    void PutBounds();

    const size_t m_growth;
    size_t m_room = 0;
    uint32_t m_count = 0;
    RegionRect m_bounds;
    std::vector<uint8_t> m_bytes;
};
