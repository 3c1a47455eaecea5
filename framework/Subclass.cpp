#include "framework/Subclass.h"

namespace {

const wchar_t kSubclassProperty[] = L"VrSubclass";

}  // namespace

bool CSubclass::Take(HWND window, Handler handler) {
    Release();
    if (!window || ::GetPropW(window, kSubclassProperty)) return false;
    if (!::SetPropW(window, kSubclassProperty, reinterpret_cast<HANDLE>(this))) return false;
    m_window = window;
    m_handler = std::move(handler);
    m_previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSubclass::Procedure)));
    return true;
}

void CSubclass::Release() {
    if (!m_window) return;
    ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    ::RemovePropW(m_window, kSubclassProperty);
    m_window = nullptr;
    m_previous = nullptr;
}

LRESULT CALLBACK CSubclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CSubclass* self = reinterpret_cast<CSubclass*>(::GetPropW(window, kSubclassProperty));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    WNDPROC previous = self->m_previous;
    if (message == WM_NCDESTROY) {
        // The control's own procedure sees its end after the object has let
        // go of it.
        self->Release();
    } else {
        LRESULT result = 0;
        if (self->m_handler && self->m_handler(message, wParam, lParam, result)) return result;
    }
    return ::CallWindowProcW(previous, window, message, wParam, lParam);
}
