#include "tests/controls-wine/TestWindow.h"

#include <commctrl.h>

#include <vector>

#include "framework/SubclassedWindow.h"

namespace {

const wchar_t kClass[] = L"VrControlsTestWindow";

}  // namespace

TestWindow::TestWindow(int x, int y, int width, int height) {
    static bool registered = false;
    if (!registered) {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        WNDCLASSW kind = {};
        kind.lpfnWndProc = Procedure;
        kind.hInstance = ::GetModuleHandleW(nullptr);
        kind.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        kind.lpszClassName = kClass;
        kind.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        registered = ::RegisterClassW(&kind) != 0;
    }
    RECT frame = {0, 0, width, height};
    ::AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, 0);
    m_window = ::CreateWindowExW(WS_EX_TOPMOST, kClass, L"Tavlo controls", WS_POPUP | WS_BORDER | WS_VISIBLE, x, y,
                                 frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), this);
    ::UpdateWindow(m_window);
}

TestWindow::~TestWindow() {
    if (m_window) ::DestroyWindow(m_window);
}

HWND TestWindow::AddControl(const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, int x, int y,
                            int width, int height) {
    return ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                             nullptr);
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if ((message == WM_DRAWITEM || message == WM_NOTIFY) && CSubclassedWnd::Reflect(message, wParam, lParam, result)) {
        return result;
    }
    if (self && self->m_menu && message == WM_MEASUREITEM &&
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
        self->m_menu->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), window);
        return TRUE;
    }
    if (self && self->m_menu && message == WM_DRAWITEM &&
        reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
        self->m_menu->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (self && self->m_background && message == WM_ERASEBKGND) {
        HDC memory = ::CreateCompatibleDC(reinterpret_cast<HDC>(wParam));
        HGDIOBJ was = ::SelectObject(memory, self->m_background);
        BITMAP info;
        ::GetObjectW(self->m_background, sizeof info, &info);
        ::BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, was);
        ::DeleteDC(memory);
        return TRUE;
    }
    if (message == WM_NCDESTROY && self) self->m_window = nullptr;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

HBITMAP SolidBitmap(int width, int height, COLORREF colour) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ was = ::SelectObject(memory, bitmap);
    HBRUSH brush = ::CreateSolidBrush(colour);
    RECT all = {0, 0, width, height};
    ::FillRect(memory, &all, brush);
    ::DeleteObject(brush);
    ::SelectObject(memory, was);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}
