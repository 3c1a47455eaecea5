#include "framework/Menu.h"

bool CMenu::CreatePopupMenu() {
    HMENU menu = ::CreatePopupMenu();
    if (!menu) return false;
    DestroyMenu();
    m_menu = menu;
    return true;
}

void CMenu::DestroyMenu() {
    if (m_menu) ::DestroyMenu(m_menu);
    m_menu = nullptr;
}

bool CMenu::AppendOwnerDrawn(UINT flags, UINT_PTR id, const void* data) {
    return ::AppendMenuW(m_menu, flags | MF_OWNERDRAW, id, static_cast<LPCWSTR>(data)) != FALSE;
}
