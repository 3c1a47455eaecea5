#include "updater/win32/VrWin32Surface.h"

#include <commctrl.h>

#include "updater/app/VrDialogIds.h"
#include "updater/win32/VrIcons.h"

void VrWin32Surface::SetTitle(const std::wstring& title) {
    m_window.SetText(title);
}

void VrWin32Surface::SetItemText(int id, const std::wstring& text) {
    m_window.SetItemText(id, text);
}

void VrWin32Surface::ShowItem(int id, bool show) {
    m_window.GetItem(id).Show(show ? SW_SHOW : SW_HIDE);
}

void VrWin32Surface::EnableItem(int id, bool enable) {
    m_window.GetItem(id).Enable(enable);
}

void VrWin32Surface::SetCheck(int id, bool checked) {
    ::CheckDlgButton(m_window, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool VrWin32Surface::IsChecked(int id) const {
    return ::IsDlgButtonChecked(m_window, id) == BST_CHECKED;
}

void VrWin32Surface::SetBarRange(int id, int upper, int step) {
    // The classic range message carries 16-bit bounds.
    m_window.SendItem(id, PBM_SETRANGE, 0, MAKELPARAM(0, upper & 0xFFFF));
    m_window.SendItem(id, PBM_SETSTEP, step);
}

void VrWin32Surface::SetBarPosition(int id, int position) {
    m_window.SendItem(id, PBM_SETPOS, position);
}

void VrWin32Surface::StepBar(int id) {
    m_window.SendItem(id, PBM_STEPIT);
}

void VrWin32Surface::PlayAnimation(int id, bool play) {
    if (!play) {
        m_window.SendItem(id, ACM_STOP);
        return;
    }
    // Opening the clip again rewinds it, so a search shown anew starts at its
    // first frame.
    m_window.SendItem(id, ACM_OPENW, reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr)),
                      reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(kVrSearchAnimation)));
    m_window.SendItem(id, ACM_PLAY, WPARAM(-1), MAKELPARAM(0, 0xFFFF));
}

void VrWin32Surface::SetWindowIcon(int iconId) {
    HICON icon;
    if (m_icons.GetIcon(iconId, icon) != 0) return;
    m_windowIcon = icon;
    m_window.Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    m_window.Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void VrWin32Surface::SetItemIcon(int id, int iconId) {
    HICON icon;
    if (m_icons.GetIcon(iconId, icon) != 0) return;
    m_window.SendItem(id, STM_SETICON, reinterpret_cast<WPARAM>(icon));
}

void VrWin32Surface::AddSystemMenuEntry(int command, const std::wstring& text) {
    HMENU menu = ::GetSystemMenu(m_window, FALSE);
    if (!menu) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, command, text.c_str());
}

void VrWin32Surface::ShowWindow(bool show) {
    m_window.Show(show ? SW_SHOW : SW_HIDE);
}

void VrWin32Surface::SetWaitCursor(bool wait) {
    if (wait == m_waiting) return;
    m_waiting = wait;
    if (wait)
        m_cursorBeforeWait = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    else
        ::SetCursor(m_cursorBeforeWait);
}

void VrWin32Surface::Close(int result) {
    m_window.Close(result);
}
