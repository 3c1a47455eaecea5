#include "manager/controls/CapacityBar.h"

#include "framework/DeviceContext.h"
#include "manager/controls/BitmapPieces.h"

bool CCapacityBar::Create(HWND parent, int id) {
    const RECT empty = {0, 0, 0, 0};
    return CStatic::Create(L"", WS_VISIBLE, empty, parent, id);
}

void CCapacityBar::SetRect(const RECT& rect) {
    ::MoveWindow(GetHandle(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    m_layout.SetRect({rect.left, rect.top, rect.right, rect.bottom});
}

void CCapacityBar::SetPictures(HBITMAP freePicture, HBITMAP usedPicture) {
    m_free = freePicture;
    m_used = usedPicture;
}

LRESULT CCapacityBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return TRUE;  // the pictures cover the gauge
    if (message != WM_PAINT) return Default(message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(GetHandle(), &paint);
    Paint(dc);
    ::EndPaint(GetHandle(), &paint);
    return 0;
}

void CCapacityBar::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(GetHandle(), &client);
    const int used = m_layout.Used();
    RECT usedPart = client, freePart = client;
    if (m_layout.Vertical()) {
        freePart.bottom = client.bottom - used;
        usedPart.top = freePart.bottom;
    } else {
        usedPart.right = client.left + used;
        freePart.left = usedPart.right;
    }
    Fill(dc, m_used, usedPart);
    Fill(dc, m_free, freePart);
}

void CCapacityBar::Fill(HDC dc, HBITMAP picture, const RECT& part) {
    BITMAP info;
    if (!picture || ::GetObjectW(picture, sizeof info, &info) != sizeof info) return;
    CDC target(dc), source;
    if (!source.CreateCompatibleDC(&target)) return;
    HGDIOBJ was = source.SelectObject(picture);
    TileOver(target, source, part, info.bmWidth, info.bmHeight);
    source.SelectObject(was);
}
