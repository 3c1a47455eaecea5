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
    const SkinElementSlot* slot = SkinElementOf(button);
    if (!slot) return;
    // Under the button: the left-bottom corner of its place in the skin.
    const SkinRect& place = m_layout.Element(slot->string.id).rect;
    POINT corner = {place.left, place.bottom};
    ::ClientToScreen(GetHandle(), &corner);
    TrackMenu(PopupMenuItems(button, CurrentMenuContext()), corner, 0);
}

void CManagerDlg::TrackMenu(const std::vector<PopupItem>& items, POINT screen, size_t separatorAfter) {
    m_menu.CreatePopup();
    m_menu.SetResourceModule(m_skin);
    m_menu.SetIconArea(kMenuIconArea, kMenuIconArea);
    m_menu.SetBackgroundColour(kMenuBackground);
    m_menu.SetHighlightColour(kMenuHighlight);
    for (size_t i = 0; i < items.size(); ++i) {
        m_menu.AppendItem(items[i].command, &m_menuRecords[items[i].text], items[i].enabled);
        if (separatorAfter != 0 && i + 1 == separatorAfter) m_menu.AppendSeparator();
    }
    m_menu.TrackAt(screen, GetHandle());
}
