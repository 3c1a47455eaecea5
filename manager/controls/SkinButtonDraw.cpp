// The skin button's looks: disabled, down (pushed or checked), hover, focus
// or normal, each a frame of its strip, with the caption over it.
#include "framework/DeviceContext.h"
#include "manager/controls/BitmapPieces.h"
#include "manager/controls/SkinButton.h"

namespace {

const DWORD kAndNotSource = 0x00220326;  // DSna: what the mask leaves of the picture

RECT Offset(RECT rect, int dx, int dy) {
    ::OffsetRect(&rect, dx, dy);
    return rect;
}

}  // namespace

void CSkinButton::Draw(const DRAWITEMSTRUCT& item) {
    HWND window = GetHandle();
    const bool shownPushed = (item.itemState & ODS_SELECTED) != 0;
    // While held down, the pushed look follows the cursor; each change draws again.
    if (m_pressed && ::GetCapture() == window) {
        const bool over = CursorOver();
        if (over != shownPushed) {
            Send(BM_SETSTATE, over);
            return;
        }
    }
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    RECT text = rect;
    ::InflateRect(&text, -(m_focusMargin + 2), 0);
    const int mode = ::SetBkMode(dc, TRANSPARENT);

    if (item.itemState & ODS_DISABLED) {
        DrawPicture(dc, rect, m_disabled);
        if (m_border) ::DrawEdge(dc, const_cast<RECT*>(&rect), EDGE_RAISED, BF_RECT);
        DrawCaption(dc, text, ::GetSysColor(COLOR_3DHILIGHT));
        DrawCaption(dc, Offset(text, -1, -1), ::GetSysColor(COLOR_GRAYTEXT));
    } else if (shownPushed || m_checked) {
        DrawPicture(dc, rect, m_down);
        if (m_border) ::DrawEdge(dc, const_cast<RECT*>(&rect), EDGE_SUNKEN, BF_RECT);
        DrawCaption(dc, Offset(text, 1, 1), m_textColour);
    } else {
        const bool focused = (item.itemState & ODS_FOCUS) != 0;
        HBITMAP picture = m_normal;
        if (m_hovering && m_hover.GetSafeHandle()) {
            picture = m_hover;
        } else if (focused && m_focus.GetSafeHandle()) {
            picture = m_focus;
        }
        DrawPicture(dc, rect, picture);
        if (m_border) ::DrawEdge(dc, const_cast<RECT*>(&rect), EDGE_RAISED, BF_RECT);
        if (focused && m_focusMargin > 0) {
            RECT focus = rect;
            ::InflateRect(&focus, -m_focusMargin, -m_focusMargin);
            ::DrawFocusRect(dc, &focus);
        }
        DrawCaption(dc, text, m_textColour);
    }
    ::SetBkMode(dc, mode);
}

void CSkinButton::DrawCaption(HDC dc, RECT rect, COLORREF colour) {
    wchar_t caption[256] = {};
    if (::GetWindowTextW(GetHandle(), caption, 256) == 0) return;
    const COLORREF was = ::SetTextColor(dc, colour);
    ::DrawTextW(dc, caption, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetTextColor(dc, was);
}

// A look without its picture is the button face.
void CSkinButton::DrawPicture(HDC dc, const RECT& rect, HBITMAP picture) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (!picture) {
        ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    CDC target(dc), source;
    if (!source.CreateCompatibleDC(&target)) return;
    HGDIOBJ sourceWas = source.SelectObject(picture);
    if (m_drawMode == kTiled) {
        TileOver(target, source, rect, m_frame.cx, m_frame.cy);
        source.SelectObject(sourceWas);
        return;
    }
    const int drawnWidth = m_drawMode == kStretched ? width : m_frame.cx;
    const int drawnHeight = m_drawMode == kStretched ? height : m_frame.cy;
    CDC mask, picturePart, composed;
    CBitmap pictureBits, composedBits;
    if (!m_mask.GetSafeHandle() || !mask.CreateCompatibleDC(&target) || !picturePart.CreateCompatibleDC(&target) ||
        !composed.CreateCompatibleDC(&target) || !pictureBits.CreateCompatibleBitmap(&target, drawnWidth, drawnHeight) ||
        !composedBits.CreateCompatibleBitmap(&target, drawnWidth, drawnHeight)) {
        target.StretchBlt(rect.left, rect.top, drawnWidth, drawnHeight, source, 0, 0, m_frame.cx, m_frame.cy,
                          SRCCOPY);
        source.SelectObject(sourceWas);
        return;
    }
    // Off screen: the background where the mask is white, the picture elsewhere.
    HGDIOBJ maskWas = mask.SelectObject(m_mask);
    HGDIOBJ pictureWas = picturePart.SelectObject(pictureBits);
    HGDIOBJ composedWas = composed.SelectObject(composedBits);
    picturePart.StretchBlt(0, 0, drawnWidth, drawnHeight, source, 0, 0, m_frame.cx, m_frame.cy, SRCCOPY);
    picturePart.StretchBlt(0, 0, drawnWidth, drawnHeight, mask, 0, 0, m_frame.cx, m_frame.cy, kAndNotSource);
    composed.BitBlt(0, 0, drawnWidth, drawnHeight, target, rect.left, rect.top, SRCCOPY);
    composed.StretchBlt(0, 0, drawnWidth, drawnHeight, mask, 0, 0, m_frame.cx, m_frame.cy, SRCAND);
    composed.BitBlt(0, 0, drawnWidth, drawnHeight, picturePart, 0, 0, SRCPAINT);
    target.BitBlt(rect.left, rect.top, drawnWidth, drawnHeight, composed, 0, 0, SRCCOPY);
    composed.SelectObject(composedWas);
    picturePart.SelectObject(pictureWas);
    mask.SelectObject(maskWas);
    source.SelectObject(sourceWas);
}
