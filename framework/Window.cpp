#include "framework/Window.h"

HWND CWindow::Detach() {
    HWND window = m_window;
    m_window = nullptr;
    return window;
}

LRESULT CWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_window, message, wParam, lParam);
}

LRESULT CWindow::SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageW(m_window, id, message, wParam, lParam);
}

void CWindow::SetText(const std::wstring& text) {
    ::SetWindowTextW(m_window, text.c_str());
}

void CWindow::SetItemText(int id, const std::wstring& text) {
    ::SetDlgItemTextW(m_window, id, text.c_str());
}

void CWindow::Show(int command) {
    ::ShowWindow(m_window, command);
}

void CWindow::Enable(bool enable) {
    ::EnableWindow(m_window, enable);
}

bool CWindow::IsIconic() const {
    return ::IsIconic(m_window) != FALSE;
}

void CWindow::Destroy() {
    if (m_window) ::DestroyWindow(m_window);
}
