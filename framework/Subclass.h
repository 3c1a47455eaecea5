// A control whose messages pass through a handler first, for views that
// keep the control as a member rather than deriving from it. The handler
// answers the messages it takes (returning true with the result set); the
// rest go on to the control's own procedure. Built on CSubclassedWnd, so a
// control is taken by one object of either kind at a time.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/SubclassedWindow.h"

class CSubclass : private CSubclassedWnd {
public:
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    // False when the window is null or already taken by another object.
    bool Take(HWND window, Handler handler);
    void Release() { UnsubclassWindow(); }

private:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    Handler m_handler;
};
