// A window handle with the few calls the dialogs make on it. The window is
// borrowed: copying the wrapper copies the handle, and the wrapper's end does
// nothing to the window.
#pragma once

#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND window) : m_window(window) {}

    HWND GetHandle() const { return m_window; }
    operator HWND() const { return m_window; }
    void Attach(HWND window) { m_window = window; }
    HWND Detach();

    CWnd GetItem(int id) const { return CWnd(::GetDlgItem(m_window, id)); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    void SetText(const std::wstring& text);
    void SetItemText(int id, const std::wstring& text);

    void Show(int command);
    void Enable(bool enable);
    bool IsIconic() const;
    void Destroy();

private:
    HWND m_window = nullptr;
};
