#include "manager/app/GaugeLayout.h"

void GaugeLayout::SetRect(const GaugeRect& rect) {
    m_rect = rect;
    m_vertical = rect.right - rect.left < rect.bottom - rect.top;
}

int GaugeLayout::Length() const { return m_vertical ? m_rect.bottom - m_rect.top : m_rect.right - m_rect.left; }

void GaugeLayout::SetCapacity(const std::vector<uint64_t>& capacity) {
    if (m_rect.right == m_rect.left || m_rect.bottom == m_rect.top) return;
    const int length = Length();
    if (capacity.size() < 2 || capacity[0] == 0 || length <= 0 || capacity[1] >= capacity[0]) {
        m_used = 0;
        return;
    }
    const uint64_t total = capacity[0];
    const uint64_t free = capacity[1];
    const uint64_t span = static_cast<uint64_t>(length);
    const uint64_t used = span >= total ? (total - free) * (span / total) : (total - free) / (total / span);
    m_used = static_cast<int>(used < span ? used : span);
}
