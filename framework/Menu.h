// A popup menu the object makes and destroys, with owner-drawn items whose
// item data the owner keeps.
#pragma once

#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU GetSafeHmenu() const { return m_menu; }
    // An empty popup menu in place of the one held.
    bool CreatePopupMenu();
    void DestroyMenu();

    // An owner-drawn item (MF_OWNERDRAW added to `flags`); `data` comes back
    // in the item's measure and draw requests.
    bool AppendOwnerDrawn(UINT flags, UINT_PTR id, const void* data);
    bool AppendSeparator() { return ::AppendMenuW(m_menu, MF_SEPARATOR, 0, nullptr) != FALSE; }
    // MF_ENABLED or MF_GRAYED, by command id.
    void EnableItem(UINT id, UINT enable) { ::EnableMenuItem(m_menu, id, MF_BYCOMMAND | enable); }
    // Shows the menu at a screen point until the user chooses or leaves it;
    // with TPM_RETURNCMD, the command chosen (0 for none).
    int Track(UINT flags, int x, int y, HWND owner) {
        return ::TrackPopupMenu(m_menu, flags, x, y, 0, owner, nullptr);
    }

private:
    HMENU m_menu = nullptr;
};
