#include "framework/DeviceContext.h"

bool CDC::CreateCompatibleDC(CDC* reference) {
    HDC dc = ::CreateCompatibleDC(reference ? reference->GetSafeHdc() : nullptr);
    if (!dc) return false;
    DeleteDC();
    m_dc = dc;
    m_made = true;
    return true;
}

void CDC::DeleteDC() {
    if (m_dc && m_made) ::DeleteDC(m_dc);
    m_dc = nullptr;
    m_made = false;
}

bool CDC::BitBlt(int x, int y, int width, int height, const CDC& source, int sourceX, int sourceY, DWORD operation) {
    return ::BitBlt(m_dc, x, y, width, height, source.m_dc, sourceX, sourceY, operation) != FALSE;
}

bool CDC::StretchBlt(int x, int y, int width, int height, const CDC& source, int sourceX, int sourceY,
                     int sourceWidth, int sourceHeight, DWORD operation) {
    return ::StretchBlt(m_dc, x, y, width, height, source.m_dc, sourceX, sourceY, sourceWidth, sourceHeight,
                        operation) != FALSE;
}
