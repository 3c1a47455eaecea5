// Moving through the folders of both sides, picking the file a preview
// plays, the Delete key and the lists' context menus.

#include "manager/window/ManagerDlg.h"

#include "manager/app/ListMenus.h"
#include "manager/app/ManagerControls.h"

namespace {

int SideOf(int list) { return list == kPcList ? 1 : 0; }

}  // namespace

bool CManagerDlg::OnBrowseCommand(WORD id) {
    switch (id) {
    case kCopyToPlayerButton:
    case kCopyToPlayerCommand:
        CopyToPlayer();
        return true;
    case kCopyToPcButton:
    case kCopyToPcCommand:
        CopyToPc();
        return true;
    case kDeleteButton:
    case kDeleteCommand:
        DeleteSelection();
        return true;
    case kUpOneLevelCommand:
        UpOneLevel();
        return true;
    default:
        return false;
    }
}

bool CManagerDlg::OnListNotify(const NMHDR& header) {
    const int list = static_cast<int>(header.idFrom);
    if (list != kPcList && list != kPlayerList) return false;
    switch (header.code) {
    case NM_CLICK:
        ListClicked(list, reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        return true;
    case NM_DBLCLK:
        ListDoubleClicked(list, reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        return true;
    case NM_RCLICK:
        ShowListMenu(list, reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        return true;
    case LVN_BEGINDRAG:
        BeginDrag(list, reinterpret_cast<const NMLISTVIEW&>(header).ptAction);
        return true;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey != VK_DELETE) return false;
        // The key deletes what is selected in the list that has it, not in
        // the list clicked last.
        m_activeSide = SideOf(list);
        DeleteSelection();
        return true;
    default:
        return false;
    }
}

void CManagerDlg::ListClicked(int list, int row) {
    m_activeSide = SideOf(list);
    m_playableFile.clear();
    const ShellItemPtr item = (list == kPcList ? m_pcList : m_playerList).Item(row);
    if (!item) return;
    const std::wstring path = item->FileSystemPath();
    if (IsPlayableFile(item->AskAttributes(kPlayableAttributes), path)) m_playableFile = path;
}

void CManagerDlg::ListDoubleClicked(int list, int row) {
    m_activeSide = SideOf(list);
    if (list == kPcList) {
        // The tree follows into the folder; its selection refills the list.
        const ShellItemPtr item = m_pcList.Item(row);
        if (item) m_tree.SelectChildNamed(item->DisplayName());
        return;
    }
    const ShellItemPtr item = m_playerList.Item(row);
    if (!item || !item->IsFolder() || m_navigation.empty()) return;
    // The record outlives its row: the stack shares it.
    if (m_playerList.Fill(*item, m_filter, nullptr)) m_navigation.push_back(item);
}

void CManagerDlg::UpOneLevel() {
    if (m_activeSide == 1) {
        if (m_tree.SelectedItem()) m_tree.SelectParent();
        return;
    }
    if (m_navigation.size() < 2) return;
    m_navigation.pop_back();
    FillPlayerList();
}

void CManagerDlg::ShowListMenu(int list, int row) {
    ListClicked(list, row);
    if (!ListMenuShown(list, m_operationIdle, !m_tree.SelectedFolderPath().empty())) return;
    const CShellList& shown = list == kPcList ? m_pcList : m_playerList;
    ListMenuContext context;
    context.itemHit = row >= 0 && shown.Item(row) != nullptr;
    context.selectedCount = static_cast<size_t>(shown.Send(LVM_GETSELECTEDCOUNT));
    context.playableFile = m_playableFile;
    context.previewPlaying = m_previewPlaying;
    context.playingFile = m_preview.File();
    context.navigationDepth = m_navigation.size();
    POINT cursor;
    ::GetCursorPos(&cursor);
    TrackMenu(ListMenuItems(list, context), cursor, 1);
}
