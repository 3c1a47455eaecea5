// The header control of a report list: its items (the column titles) with
// their format bits and rectangles.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Window.h"

class CHeaderCtrl : public CWnd {
public:
    CHeaderCtrl() = default;
    explicit CHeaderCtrl(HWND window) : CWnd(window) {}

    int GetItemCount() const { return static_cast<int>(Send(HDM_GETITEMCOUNT)); }
    // `item->mask` says what to read or write.
    bool GetItem(int index, HDITEMW* item) const { return Send(HDM_GETITEMW, index, reinterpret_cast<LPARAM>(item)) != 0; }
    bool SetItem(int index, const HDITEMW& item) const {
        return Send(HDM_SETITEMW, index, reinterpret_cast<LPARAM>(&item)) != 0;
    }
    bool GetItemRect(int index, RECT* rect) const {
        return Send(HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)) != 0;
    }
    // The item's format bits (HDF_...), 0 when there is no such item.
    int GetItemFormat(int index) const;
    bool SetItemFormat(int index, int format) const;
    std::wstring GetItemText(int index) const;
};
