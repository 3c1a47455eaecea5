// A control whose messages pass through its object first: the control's
// window procedure is replaced, and the object is found again through a
// window property, so no table of windows is kept. The handler answers the
// messages it takes (returning true with the result set); the rest go on
// to the control's own procedure. The control is given back its own
// procedure when the object goes or the window is destroyed.
#pragma once

#include <windows.h>

#include <functional>

class CSubclass {
public:
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    CSubclass() = default;
    ~CSubclass() { Release(); }
    CSubclass(const CSubclass&) = delete;
    CSubclass& operator=(const CSubclass&) = delete;

    // False when the window is null or already taken by another object.
    bool Take(HWND window, Handler handler);
    void Release();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    WNDPROC m_previous = nullptr;
    Handler m_handler;
};
