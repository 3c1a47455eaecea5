#include "manager/views/SortHeader.h"

void CSortHeader::SetSortIndicator(int column, bool descending) {
    m_column = column;
    m_descending = descending;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) SetItemFormat(i, GetItemFormat(i) | HDF_OWNERDRAW);
    ::InvalidateRect(GetHandle(), nullptr, TRUE);
}

void CSortHeader::DrawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT& box = item.rcItem;
    const int height = box.bottom - box.top;
    const int quarter = height / 4;
    const bool sorted = static_cast<int>(item.itemID) == m_column;

    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);

    const int format = GetItemFormat(static_cast<int>(item.itemID));
    UINT align = DT_LEFT;
    if ((format & HDF_JUSTIFYMASK) == HDF_CENTER) align = DT_CENTER;
    if ((format & HDF_JUSTIFYMASK) == HDF_RIGHT) align = DT_RIGHT;

    RECT text = box;
    text.left += quarter;
    text.right -= quarter + (sorted ? 3 * quarter : 0);
    if (item.itemState & ODS_SELECTED) ::OffsetRect(&text, 1, 2);  // a pressed title moves in

    const std::wstring caption = GetItemText(static_cast<int>(item.itemID));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (sorted) DrawTriangle(dc, box);
    ::RestoreDC(dc, saved);
}

// An embossed triangle a quarter of the item's height tall at the right end:
// lit edges in the highlight colour, shaded ones in the shadow colour.
void CSortHeader::DrawTriangle(HDC dc, const RECT& item) const {
    const int size = (item.bottom - item.top) / 4;
    const int right = item.right - size * 3 / 2;
    const int left = right - size;
    const int middle = (left + right) / 2;
    const int top = (item.top + item.bottom - size) / 2;
    const int bottom = top + size;

    HPEN light = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN shadow = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ old = ::SelectObject(dc, shadow);
    if (m_descending) {
        // Pointing down: the shade on the upper and left edges.
        ::MoveToEx(dc, right, top, nullptr);
        ::LineTo(dc, left, top);
        ::LineTo(dc, middle, bottom);
        ::SelectObject(dc, light);
        ::LineTo(dc, right, top);
    } else {
        // Pointing up: the light on the right edge and the base.
        ::MoveToEx(dc, middle, top, nullptr);
        ::LineTo(dc, left, bottom);
        ::SelectObject(dc, light);
        ::LineTo(dc, right, bottom);
        ::LineTo(dc, middle, top);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(light);
    ::DeleteObject(shadow);
}
