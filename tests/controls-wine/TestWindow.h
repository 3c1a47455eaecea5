// A plain window standing in for Tavlo's main window under Wine: it paints
// a background picture, reflects its controls' notifications to them and
// hands its popup menu's measure and draw requests to the menu, as the main
// window does.
#pragma once

#include <windows.h>

#include "manager/controls/OwnerDrawMenu.h"

class TestWindow {
public:
    // A visible top-level window of that client size at (x, y).
    TestWindow(int x, int y, int width, int height);
    ~TestWindow();
    HWND Handle() const { return m_window; }
    void SetBackground(HBITMAP picture) { m_background = picture; }
    void SetMenu(COwnerDrawMenu* menu) { m_menu = menu; }
    // A child control of a system class.
    HWND AddControl(const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, int x, int y, int width,
                    int height);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    HBITMAP m_background = nullptr;
    COwnerDrawMenu* m_menu = nullptr;
};

// Every waiting message of the thread, dispatched.
void PumpMessages();
// A bitmap of one colour.
HBITMAP SolidBitmap(int width, int height, COLORREF colour);
