// The skin button's pictures, outline, check state and mouse handling.
#include "manager/controls/SkinButton.h"

#include <commctrl.h>

#include "manager/app/ButtonOutline.h"
#include "manager/app/SkinResources.h"
#include "manager/controls/BitmapPieces.h"

bool CSkinButton::SubclassControl(HWND dialog, int id) {
    if (!SubclassDlgItem(id, dialog)) return false;
    const UINT style = GetButtonStyle();
    m_kind = style == BS_AUTOCHECKBOX ? kCheckBox : style == BS_AUTORADIOBUTTON ? kRadioButton : kPushButton;
    SetButtonStyle(BS_OWNERDRAW, false);
    return true;
}

bool CSkinButton::SetPictures(HBITMAP strip, int drawMode, bool border, int focusMargin) {
    m_drawMode = drawMode > kStretched ? kTiled : drawMode < kNaturalSize ? kNaturalSize : drawMode;
    m_border = border;
    m_focusMargin = focusMargin < 0 ? 0 : focusMargin;
    CBitmap* frames[kButtonStripFrames] = {&m_normal, &m_hover, &m_down, &m_disabled, &m_mask};
    for (CBitmap* frame : frames) frame->DeleteObject();
    BITMAP info;
    if (!strip || ::GetObjectW(strip, sizeof info, &info) != sizeof info || info.bmWidth < kButtonStripFrames) {
        return false;
    }
    m_frame = {info.bmWidth / kButtonStripFrames, info.bmHeight};
    for (int i = 0; i < kButtonStripFrames; ++i) {
        frames[i]->Attach(CutFrame(strip, i * m_frame.cx, m_frame.cx, m_frame.cy));
    }
    SetOutline();
    if (m_drawMode == kNaturalSize) {
        ::SetWindowPos(GetHandle(), nullptr, 0, 0, m_frame.cx, m_frame.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Redraw();
    return m_normal.GetSafeHandle() != nullptr;
}

void CSkinButton::SetOutline() {
    int width = 0, height = 0;
    const std::vector<uint8_t> pixels = TopDownPixels(m_mask, width, height);
    if (pixels.empty()) return;
    const RegionData outline = ButtonOutline(pixels.data(), 4 * width, width, height);
    HRGN region = ::ExtCreateRegion(nullptr, outline.Size(), reinterpret_cast<const RGNDATA*>(outline.Bytes()));
    // The window owns the region it takes.
    if (region && !::SetWindowRgn(GetHandle(), region, TRUE)) ::DeleteObject(region);
}

void CSkinButton::SetTextColour(COLORREF colour) {
    m_textColour = colour;
    Redraw();
}

void CSkinButton::SetChecked(bool checked) {
    m_checked = m_kind != kPushButton && checked;
    if (m_kind == kRadioButton && m_checked) UncheckGroup();
    Redraw();
}

// The group runs from the control with WS_GROUP at or before this one to
// the next control with WS_GROUP.
void CSkinButton::UncheckGroup() {
    HWND first = GetHandle();
    while (!(::GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
        HWND previous = ::GetWindow(first, GW_HWNDPREV);
        if (!previous) break;
        first = previous;
    }
    for (HWND control = first; control; control = ::GetWindow(control, GW_HWNDNEXT)) {
        if (control != first && (::GetWindowLongW(control, GWL_STYLE) & WS_GROUP)) break;
        if (control != GetHandle()) ::PostMessageW(control, kUncheckMessage, 0, 0);
    }
}

bool CSkinButton::CursorOver() const {
    POINT cursor;
    return ::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == GetHandle();
}

void CSkinButton::Relay(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_tooltip) return;
    MSG relayed = {GetHandle(), message, wParam, lParam, 0, {0, 0}};
    ::SendMessageW(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT CSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = GetHandle();
    if (m_mouseFilter && IsMouseMessage(message) && m_mouseFilter(window, message, wParam, lParam)) return 0;
    switch (message) {
    case BM_GETCHECK:
        return m_checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        SetChecked(wParam != 0);
        return 0;
    case kUncheckMessage:
        if (m_checked) {
            m_checked = false;
            Redraw();
        }
        return 0;
    case WM_LBUTTONDBLCLK:  // a second press
    case WM_LBUTTONDOWN: {
        Relay(WM_LBUTTONDOWN, wParam, lParam);
        if (m_hovering) {
            TRACKMOUSEEVENT cancel = {sizeof cancel, TME_CANCEL | TME_LEAVE, window, 0};
            ::TrackMouseEvent(&cancel);
        }
        const LRESULT result = Default(WM_LBUTTONDOWN, wParam, lParam);
        m_pressed = true;
        return result;
    }
    case WM_MOUSEMOVE:
        Relay(message, wParam, lParam);
        if (m_pressed && ::GetCapture() == window) {
            const bool over = CursorOver();
            const bool shown = (Send(BM_GETSTATE) & BST_PUSHED) != 0;
            if (over != shown) Send(BM_SETSTATE, over);
            return 0;
        }
        if (!m_hovering) {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
            if (::TrackMouseEvent(&track)) {
                m_hovering = true;
                Redraw();
            }
        }
        return Default(message, wParam, lParam);
    case WM_MOUSELEAVE:
        m_hovering = false;
        Redraw();
        return 0;
    case WM_LBUTTONUP:
        if (CursorOver()) {
            if (m_kind == kCheckBox) Send(BM_SETCHECK, !m_checked);
            if (m_kind == kRadioButton) Send(BM_SETCHECK, TRUE);
        }
        Relay(message, wParam, lParam);
        m_pressed = false;
        return Default(message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !(lParam & 0x40000000)) {  // not a repeat
            if (m_kind == kCheckBox) Send(BM_SETCHECK, !m_checked);
            if (m_kind == kRadioButton) Send(BM_SETCHECK, TRUE);
        }
        return Default(message, wParam, lParam);
    case WM_KILLFOCUS:
        if (::GetCapture() == window) ::ReleaseCapture();
        m_pressed = false;
        return Default(message, wParam, lParam);
    case WM_ERASEBKGND:
        return TRUE;  // the drawing covers the button
    default:
        return Default(message, wParam, lParam);
    }
}

bool CSkinButton::OnReflected(UINT message, LPARAM lParam, LRESULT& result) {
    if (message != WM_DRAWITEM) return false;
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}
