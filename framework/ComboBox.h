// A combo box of texts: its items and the selected one.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Window.h"

class CComboBox : public CWnd {
public:
    CComboBox() = default;
    explicit CComboBox(HWND window) : CWnd(window) {}

    // The item's index, or CB_ERR.
    int AddString(const std::wstring& text) const {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void ResetContent() const { Send(CB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    // CB_ERR when nothing is selected.
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    bool SetCurSel(int index) const { return Send(CB_SETCURSEL, index) != CB_ERR; }
    // The item's text; empty for an index that holds none.
    std::wstring GetLBText(int index) const;
};
