#include "framework/Window.h"

HWND CWnd::Detach() {
    HWND window = m_window;
    m_window = nullptr;
    return window;
}

LRESULT CWnd::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_window, message, wParam, lParam);
}

LRESULT CWnd::SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageW(m_window, id, message, wParam, lParam);
}

void CWnd::SetText(const std::wstring& text) {
    ::SetWindowTextW(m_window, text.c_str());
}

void CWnd::SetItemText(int id, const std::wstring& text) {
    ::SetDlgItemTextW(m_window, id, text.c_str());
}

void CWnd::Show(int command) {
    ::ShowWindow(m_window, command);
}

void CWnd::Enable(bool enable) {
    ::EnableWindow(m_window, enable);
}

bool CWnd::IsIconic() const {
    return ::IsIconic(m_window) != FALSE;
}

void CWnd::Destroy() {
    if (m_window) ::DestroyWindow(m_window);
}
