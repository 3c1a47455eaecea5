// A list-view control: columns, rows carrying a value each, their states,
// sorting and image lists.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/HeaderCtrl.h"
#include "framework/Window.h"

class CListView : public CWnd {
public:
    CListView() = default;
    explicit CListView(HWND window) : CWnd(window) {}

    // -1 when the column could not be inserted.
    int InsertColumn(int index, const std::wstring& caption, int width, int format = LVCFMT_LEFT) const;
    // A row whose text and image the parent supplies on request
    // (LVN_GETDISPINFO), with `data` as its value; its index, or -1.
    int InsertCallbackItem(int index, LPARAM data) const;
    bool DeleteAllItems() const { return Send(LVM_DELETEALLITEMS) != 0; }
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    LPARAM GetItemData(int index) const;
    std::wstring GetItemText(int index, int column) const;
    // The next row from `start` (-1: from the first) with the LVNI_... flags.
    int GetNextItem(int start, UINT flags) const { return static_cast<int>(Send(LVM_GETNEXTITEM, start, flags)); }
    UINT GetItemState(int index, UINT mask) const { return static_cast<UINT>(Send(LVM_GETITEMSTATE, index, mask)); }
    bool SetItemState(int index, UINT state, UINT mask) const;
    // Sorts by the values of the rows.
    bool SortItems(PFNLVCOMPARE compare, LPARAM context) const {
        return Send(LVM_SORTITEMS, context, reinterpret_cast<LPARAM>(compare)) != 0;
    }
    // LVSIL_SMALL or LVSIL_NORMAL; the list held before is returned.
    HIMAGELIST SetImageList(HIMAGELIST list, int kind) const {
        return reinterpret_cast<HIMAGELIST>(Send(LVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(list)));
    }
    HIMAGELIST GetImageList(int kind) const { return reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, kind)); }
    CHeaderCtrl GetHeader() const { return CHeaderCtrl(reinterpret_cast<HWND>(Send(LVM_GETHEADER))); }
};
