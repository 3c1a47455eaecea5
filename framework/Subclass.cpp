#include "framework/Subclass.h"

#include <utility>

bool CSubclass::Take(HWND window, Handler handler) {
    Release();
    if (!SubclassWindow(window)) return false;
    m_handler = std::move(handler);
    return true;
}

LRESULT CSubclass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_handler && m_handler(message, wParam, lParam, result)) return result;
    return Default(message, wParam, lParam);
}
