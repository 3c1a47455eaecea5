// A button control: its style and check state. Derived buttons handle
// its messages (CSubclassedWnd).
#pragma once

#include <windows.h>

#include "framework/SubclassedWindow.h"

class CButton : public CSubclassedWnd {
public:
    // The button's kind, the low bits of its style (BS_AUTOCHECKBOX, ...).
    UINT GetButtonStyle() const { return static_cast<UINT>(::GetWindowLongW(GetHandle(), GWL_STYLE)) & BS_TYPEMASK; }
    void SetButtonStyle(UINT style, bool redraw = true) { Send(BM_SETSTYLE, style, redraw); }
    int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
    void SetCheck(int check) { Send(BM_SETCHECK, static_cast<WPARAM>(check)); }
};
