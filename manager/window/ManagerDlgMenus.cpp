// The popup menus of the main window's four menu buttons.

#include "manager/window/ManagerDlg.h"

#include <commctrl.h>

#include "manager/app/SkinElements.h"

namespace {

const int kMenuIconArea = 20;
const COLORREF kMenuBackground = 0xFFFFFF;
const COLORREF kMenuHighlight = 0xFF0000;

}  // namespace

void CManagerDlg::SetUpMenuRecords() {
    for (size_t text = 0; text < kSkinMenuTextCount; ++text) {
        SetMenuItemText(m_menuRecords[text], m_layout.Definition().MenuText(text).c_str());
    }
}

MenuContext CManagerDlg::CurrentMenuContext() const {
    MenuContext context;
    context.activeSide = m_activeSide;
    context.pcListMarked = m_pcList.Send(LVM_GETSELECTIONMARK) != -1;
    context.playerListMarked = m_playerList.Send(LVM_GETSELECTIONMARK) != -1;
    context.previewPlaying = m_previewPlaying;
    return context;
}

void CManagerDlg::ShowPopup(int button) {
    const SkinElementSlot* slot = nullptr;
    for (const SkinElementSlot& element : SkinElements()) {
        if (element.control == button) slot = &element;
    }
    if (!slot) return;
    m_menu.CreatePopup();
    m_menu.SetResourceModule(m_skin);
    m_menu.SetIconArea(kMenuIconArea, kMenuIconArea);
    m_menu.SetBackgroundColour(kMenuBackground);
    m_menu.SetHighlightColour(kMenuHighlight);
    for (const PopupItem& item : PopupMenuItems(button, CurrentMenuContext())) {
        m_menu.AppendItem(item.command, &m_menuRecords[item.text], item.enabled);
    }
    // Under the button: the left-bottom corner of its place in the skin.
    const SkinRect& place = m_layout.Element(slot->string.id).rect;
    POINT corner = {place.left, place.bottom};
    ::ClientToScreen(GetHandle(), &corner);
    m_menu.TrackAt(corner, GetHandle());
}
