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

// What the control has drawn so far (its tick marks) stays, black over the
// window's background; its own background gives way to the window's. The
// control's image becomes a mask (its background colour white, the rest
// black) that is combined with the background by AND.
void CSkinSlider::DrawChannel(const NMCUSTOMDRAW& draw) {
    RECT client;
    ::GetClientRect(GetHandle(), &client);
    const int width = client.right, height = client.bottom;
    if (!m_background.GetSafeHdc() && !TakeBackground(draw.hdc)) return;
    CDC control(draw.hdc), drawn;
    CBitmap drawnBits;
    drawnBits.Attach(::CreateBitmap(width, height, 1, 1, nullptr));
    if (drawnBits.GetSafeHandle() && drawn.CreateCompatibleDC(&control)) {
        HGDIOBJ was = drawn.SelectObject(drawnBits);
        const COLORREF backgroundWas = ::SetBkColor(control, ::GetPixel(control, 0, 0));
        drawn.BitBlt(0, 0, width, height, control, 0, 0, SRCCOPY);
        control.BitBlt(0, 0, width, height, m_background, 0, 0, SRCCOPY);
        ::SetBkColor(control, RGB(255, 255, 255));
        const COLORREF textWas = ::SetTextColor(control, RGB(0, 0, 0));
        control.BitBlt(0, 0, width, height, drawn, 0, 0, SRCAND);
        ::SetTextColor(control, textWas);
        ::SetBkColor(control, backgroundWas);
        drawn.SelectObject(was);
    }
    RECT channel = draw.rc;
    ::DrawEdge(draw.hdc, &channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}

// The parent paints its background into the snapshot, shifted so that the
// control's place lands on it: the screen there may already show the control.
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
    ::FillRect(m_background, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    POINT was;
    ::SetViewportOrgEx(m_background, -origin.x, -origin.y, &was);
    ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(m_background.GetSafeHdc()), 0);
    ::SetViewportOrgEx(m_background, was.x, was.y, nullptr);
    return true;
}

void CSkinSlider::ReleaseBackground() {
    if (m_background.GetSafeHdc()) m_background.SelectObject(m_backgroundWas);
    m_backgroundBits.DeleteObject();
    m_background.DeleteDC();
}
