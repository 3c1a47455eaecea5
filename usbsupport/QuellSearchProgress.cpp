#include "usbsupport/QuellSearchProgress.h"

QuellSearchProgress::Step QuellSearchProgress::Tick(const std::function<bool()>& look) {
    if (m_position >= m_maximum || m_found) {
        if (!m_found) return Step::kClose;
        if (m_position < m_maximum) ++m_position;
        return Step::kShowFound;
    }
    ++m_position;
    ++m_ticks;
    if (m_canLook && look()) m_found = true;
    return Step::kAdvanced;
}
