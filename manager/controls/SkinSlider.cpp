#include "manager/controls/SkinSlider.h"

#include <commctrl.h>

LRESULT CSkinSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return FALSE;  // not erased: the channel drawing paints the background
    case WM_DESTROY:
        ReleaseBackground();
        return Default(message, wParam, lParam);
    default:
        return Default(message, wParam, lParam);
    }
}

bool CSkinSlider::OnReflected(UINT message, LPARAM lParam, LRESULT& result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (message != WM_NOTIFY || header->code != NM_CUSTOMDRAW) return false;
    result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
    return true;
}

LRESULT CSkinSlider::CustomDraw(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    switch (draw.dwItemSpec) {
    case TBCD_THUMB:
        DrawThumb(draw);
        return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL:
        DrawChannel(draw);
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;  // tick marks
    }
}

void CSkinSlider::DrawThumb(const NMCUSTOMDRAW& draw) {
    const RECT thumb = GetThumbRect();
    const bool pressed = (draw.uItemState & CDIS_SELECTED) != 0;
    COLORREF colour = pressed ? m_pressedThumb : m_thumb;
    if (colour == 0) colour = ::GetSysColor(pressed ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE);
    HBRUSH brush = ::CreateSolidBrush(colour);
    HGDIOBJ was = ::SelectObject(draw.hdc, brush);
    ::Ellipse(draw.hdc, thumb.left, thumb.top, thumb.right, thumb.bottom);
    ::SelectObject(draw.hdc, was);
    ::DeleteObject(brush);
}

// What the control has drawn so far (its tick marks) stays, dark over the
// window's background; the rest of the control shows the background.
void CSkinSlider::DrawChannel(const NMCUSTOMDRAW& draw) {
    RECT client;
    ::GetClientRect(GetHandle(), &client);
    const int width = client.right, height = client.bottom;
    if (!m_background.GetSafeHdc() && !TakeBackground(draw.hdc)) return;
    CDC control(draw.hdc), drawn;
    CBitmap drawnBits;
    if (drawn.CreateCompatibleDC(&control) && drawnBits.CreateCompatibleBitmap(&control, width, height)) {
        HGDIOBJ was = drawn.SelectObject(drawnBits);
        drawn.BitBlt(0, 0, width, height, control, 0, 0, SRCCOPY);
        control.BitBlt(0, 0, width, height, m_background, 0, 0, SRCCOPY);
        control.BitBlt(0, 0, width, height, drawn, 0, 0, SRCAND);
        drawn.SelectObject(was);
    }
    RECT channel = draw.rc;
    ::DrawEdge(draw.hdc, &channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}

bool CSkinSlider::TakeBackground(HDC reference) {
    RECT client;
    ::GetClientRect(GetHandle(), &client);
    HWND parent = ::GetParent(GetHandle());
    POINT origin = {0, 0};
    ::MapWindowPoints(GetHandle(), parent, &origin, 1);
    CDC controlDc(reference);
    if (!m_background.CreateCompatibleDC(&controlDc) ||
        !m_backgroundBits.CreateCompatibleBitmap(&controlDc, client.right, client.bottom)) {
        m_background.DeleteDC();
        return false;
    }
    m_backgroundWas = m_background.SelectObject(m_backgroundBits);
    CDC parentDc(::GetDC(parent));
    m_background.BitBlt(0, 0, client.right, client.bottom, parentDc, origin.x, origin.y, SRCCOPY);
    ::ReleaseDC(parent, parentDc.GetSafeHdc());
    return true;
}

void CSkinSlider::ReleaseBackground() {
    if (m_background.GetSafeHdc()) m_background.SelectObject(m_backgroundWas);
    m_backgroundBits.DeleteObject();
    m_background.DeleteDC();
}
