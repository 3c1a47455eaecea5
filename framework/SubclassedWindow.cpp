#include "framework/SubclassedWindow.h"

namespace {

// The window property that holds the object.
const wchar_t kObjectProperty[] = L"VrSubclassedWnd";

}  // namespace

bool CSubclassedWnd::SubclassWindow(HWND window) {
    if (!window || FromHandle(window) || !::SetPropW(window, kObjectProperty, this)) return false;
    UnsubclassWindow();
    Attach(window);
    m_previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSubclassedWnd::Procedure)));
    return true;
}

void CSubclassedWnd::UnsubclassWindow() {
    HWND window = GetHandle();
    if (!window || !m_previous) return;
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    ::RemovePropW(window, kObjectProperty);
    m_previous = nullptr;
    Detach();
}

CSubclassedWnd* CSubclassedWnd::FromHandle(HWND window) {
    return window ? static_cast<CSubclassedWnd*>(::GetPropW(window, kObjectProperty)) : nullptr;
}

bool CSubclassedWnd::Reflect(UINT message, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result) {
    HWND control = nullptr;
    if (message == WM_NOTIFY) {
        control = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    } else if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU) control = item->hwndItem;  // a menu's item names no window
    }
    CSubclassedWnd* object = FromHandle(control);
    return object && object->OnReflected(message, lParam, result);
}

LRESULT CSubclassedWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(m_previous, GetHandle(), message, wParam, lParam);
}

LRESULT CALLBACK CSubclassedWnd::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CSubclassedWnd* object = FromHandle(window);
    if (!object) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message != WM_NCDESTROY) return object->WindowProc(message, wParam, lParam);
    // The window goes: the object lets go of it first.
    WNDPROC previous = object->m_previous;
    object->UnsubclassWindow();
    return ::CallWindowProcW(previous, window, message, wParam, lParam);
}
