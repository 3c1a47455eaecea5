// A static control, one the program makes itself or one of a dialog.
#pragma once

#include <windows.h>

#include "framework/SubclassedWindow.h"

class CStatic : public CSubclassedWnd {
public:
    // A child of `parent` with that id, style and place; subclassed at once.
    bool Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, int id) {
        HWND window = ::CreateWindowExW(0, L"STATIC", text, style | WS_CHILD, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                                        nullptr);
        return window && SubclassWindow(window);
    }
};
