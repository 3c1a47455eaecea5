// The main window's file commands: copy to the player, copy to the PC and
// delete, each run by the shell's own file operation. While it runs, its
// modal loop keeps dispatching the window's messages: the buttons that
// start operations are disabled and OperationIdle keeps the lists' menus
// away until it ends.

#include "manager/window/ManagerDlg.h"

#include "manager/app/ManagerControls.h"

namespace {

const int kOperationButtons[] = {kFormatButton, kDeleteButton, kRefreshButton, kCopyToPcButton, kCopyToPlayerButton};

}  // namespace

std::vector<TransferItem> CManagerDlg::Selection(const CShellList& list) const {
    std::vector<TransferItem> items;
    for (int row = -1; (row = list.GetNextItem(row, LVNI_SELECTED)) != -1;) {
        const ShellItemPtr item = list.Item(row);
        if (!item) continue;
        items.push_back({item->FileSystemPath(), item->AskAttributes(kPlayableAttributes)});
    }
    return items;
}

PlayerFolder CManagerDlg::ShownPlayerFolder() const {
    PlayerFolder folder;
    folder.depth = m_navigation.size();
    if (!m_navigation.empty()) {
        folder.root = m_navigation.front()->FileSystemPath();
        folder.shown = m_navigation.back()->FileSystemPath();
    }
    return folder;
}

void CManagerDlg::Warn(SkinMessage message) {
    const SkinDefinition& skin = m_layout.Definition();
    ::MessageBoxW(GetHandle(), skin.Message(message).c_str(), skin.Message(kWarningCaption).c_str(),
                  MB_OK | MB_ICONWARNING);
}

FileOperationOutcome CManagerDlg::RunFileOperation(const TransferPlan& plan, UINT operation, WORD flags) {
    CFileOperation shell(m_host);
    shell.Initialise(operation, GetHandle(), flags);
    for (const std::wstring& path : plan.sources) shell.AddSource(path);
    for (const std::wstring& path : plan.destinations) shell.AddDestination(path);
    for (int id : kOperationButtons) GetItem(id).Enable(false);
    m_operationIdle = false;
    const FileOperationOutcome outcome = shell.Execute();
    m_operationIdle = true;
    for (int id : kOperationButtons) GetItem(id).Enable(true);
    return outcome;
}

void CManagerDlg::RefreshPlayerSide() {
    FillPlayerList();
    RefreshGauge(true);
    RefreshCapacityTexts();
}

void CManagerDlg::RefreshPcSide() {
    m_tree.RefreshSelectedBranch();
    FillPcList();
}

void CManagerDlg::CopyToPlayer() {
    if (m_previewPlaying) return;
    const TransferPlan plan = PlanCopyToPlayer(Selection(m_pcList), ShownPlayerFolder());
    if (plan.refused) return Warn(plan.warning);
    // An "edisk" that is there already is what the copy wants.
    if (!plan.folderToCreate.empty()) ::CreateDirectoryW(plan.folderToCreate.c_str(), nullptr);
    const FileOperationOutcome outcome = RunFileOperation(plan, file_operation::kCopy, kCopyFlags);
    if (FollowUpOfCopy(outcome.started) == TransferFollowUp::kWarn) return Warn(kCopyToPlayerFailed);
    RefreshPlayerSide();
}

void CManagerDlg::CopyToPc() {
    if (m_previewPlaying) return;
    const TransferPlan plan = PlanCopyToPc(Selection(m_playerList), m_tree.SelectedFolderPath(), !m_navigation.empty());
    if (plan.refused) return Warn(plan.warning);
    const FileOperationOutcome outcome = RunFileOperation(plan, file_operation::kCopy, kCopyFlags);
    if (FollowUpOfCopy(outcome.started) == TransferFollowUp::kWarn) return Warn(kCopyToPcFailed);
    RefreshPcSide();
}

void CManagerDlg::DeleteSelection() {
    if (m_previewPlaying) return;
    DeleteRequest request;
    request.activeSide = m_activeSide;
    request.pcFolderKnown = !m_tree.SelectedFolderPath().empty();
    request.playerShown = !m_navigation.empty();
    request.pcSelection = Selection(m_pcList);
    request.playerSelection = Selection(m_playerList);
    bool ignored = false;
    const TransferPlan plan = PlanDelete(request, ignored);
    if (ignored) return;
    if (plan.refused) return Warn(plan.warning);
    const FileOperationOutcome outcome = RunFileOperation(plan, file_operation::kDelete, kDeleteFlags);
    switch (FollowUpOfDelete(outcome.started, outcome.aborted)) {
    case TransferFollowUp::kNothing:
        return;
    case TransferFollowUp::kWarn:
        return Warn(kDeleteFailed);
    case TransferFollowUp::kRefresh:
        if (request.activeSide == 1) {
            RefreshPcSide();
        } else {
            RefreshPlayerSide();
        }
        return;
    }
}
