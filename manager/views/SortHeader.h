// The header of a file list, drawn by the list: every column title
// owner-drawn, and on the sort column a small triangle pointing up for an
// ascending order, down for a descending one.
#pragma once

#include <windows.h>

#include "framework/HeaderCtrl.h"

class CSortHeader : public CHeaderCtrl {
public:
    // Makes every item owner-drawn and redraws the header with the
    // triangle on `column`.
    void SetSortIndicator(int column, bool descending);
    // Draws one item; the list hands on the header's WM_DRAWITEM.
    void DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    void DrawTriangle(HDC dc, const RECT& item) const;

    int m_column = 0;
    bool m_descending = false;
};
