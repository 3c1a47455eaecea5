#include "usbsupport/RegionData.h"

#include <algorithm>

namespace {

const int32_t kFarthest = 0x7FFFFFFF;
const uint32_t kRectangles = 1;
const size_t kCountAt = 8;
const size_t kBoundsAt = 16;

void Put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

int32_t Get32(const uint8_t* at) {
    return static_cast<int32_t>(at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24);
}

void PutRect(uint8_t* at, const RegionRect& rect) {
    Put32(at, static_cast<uint32_t>(rect.left));
    Put32(at + 4, static_cast<uint32_t>(rect.top));
    Put32(at + 8, static_cast<uint32_t>(rect.right));
    Put32(at + 12, static_cast<uint32_t>(rect.bottom));
}

RegionRect GetRect(const uint8_t* at) { return {Get32(at), Get32(at + 4), Get32(at + 8), Get32(at + 12)}; }

}  // namespace

RegionData::RegionData(size_t growth) : m_growth(growth), m_bytes(kHeaderSize + growth * kRectSize, 0) {
    m_room = growth;
    Put32(&m_bytes[0], kHeaderSize);
    Put32(&m_bytes[4], kRectangles);
    Clear();
}

void RegionData::Clear() {
    m_count = 0;
    m_bounds = {kFarthest, kFarthest, 0, 0};
    Put32(&m_bytes[kCountAt], 0);
    PutBounds();
}

void RegionData::Add(const RegionRect& rect) {
    if (m_count == m_room) {
        m_room += m_growth;
        m_bytes.resize(kHeaderSize + m_room * kRectSize);
    }
    PutRect(&m_bytes[kHeaderSize + m_count * kRectSize], rect);
    ++m_count;
    Put32(&m_bytes[kCountAt], m_count);
    m_bounds.left = std::min(m_bounds.left, rect.left);
    m_bounds.top = std::min(m_bounds.top, rect.top);
    m_bounds.right = std::max(m_bounds.right, rect.right);
    m_bounds.bottom = std::max(m_bounds.bottom, rect.bottom);
    PutBounds();
}

RegionRect RegionData::Rect(uint32_t index) const { return GetRect(&m_bytes[kHeaderSize + index * kRectSize]); }

RegionRect RegionData::Bounds() const { return GetRect(&m_bytes[kBoundsAt]); }

void RegionData::PutBounds() { PutRect(&m_bytes[kBoundsAt], m_bounds); }
