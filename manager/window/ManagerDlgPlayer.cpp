// The main window and the player: finding its drives again after a refresh
// or a device notification, showing a drive's files, and its capacity.

#include "manager/window/ManagerDlg.h"

#include <commctrl.h>

#include "manager/app/ManagerControls.h"
#include "manager/views/DriveCapacityQuery.h"
#include "manager/views/ManagerMessages.h"
#include "manager/views/QuellDriveQuery.h"

void CManagerDlg::DetectDrives() {
    DetectPlayerDrives(m_host, QuellDriveQuery(), m_drives);
}

void CManagerDlg::RefreshPlayer(bool deviceChange, DeviceEvents::Event event) {
    m_preview.Stop();
    m_playableFile.clear();
    HCURSOR was = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    m_drives.clear();
    if (!deviceChange) {
        DetectDrives();
        DeselectPcList(true);
    } else {
        if (event == DeviceEvents::kRemoveComplete) m_tree.Send(UM_TREE_RELEASE_DRIVES);
        if (m_deviceEvents.Take(event)) {
            DetectDrives();
            // The tree hides the drives it is told of: it learns the new
            // ones before it looks at the computer's drives again.
            m_tree.SetDriveNames(m_drives);
            m_tree.Send(UM_TREE_REFRESH_DRIVES);
        }
        DeselectPcList(false);
    }
    if (m_drives.empty()) {
        m_playerList.Empty();
        m_navigation.clear();
        m_drive1.reset();
        m_drive2.reset();
    } else {
        m_tree.SetDriveNames(m_drives);
        GetItem(kDrive1Button).Enable(true);
        if (m_drive1) ShowFolder(m_drive1);
    }
    SetDriveButtons();
    RefreshGauge(true);
    RefreshCapacityTexts();
    ::SetCursor(was ? ::LoadCursorW(nullptr, IDC_ARROW) : nullptr);
}

void CManagerDlg::DeselectPcList(bool everySelected) {
    if (everySelected) {
        for (int row = -1; (row = m_pcList.GetNextItem(row, LVNI_SELECTED)) != -1;) {
            m_pcList.SetItemState(row, 0, LVIS_SELECTED);
        }
        return;
    }
    const int marked = static_cast<int>(m_pcList.Send(LVM_GETSELECTIONMARK));
    if (marked != -1) m_pcList.SetItemState(marked, 0, LVIS_SELECTED);
}

void CManagerDlg::ShowDrive(int index) {
    if (m_drives.size() < static_cast<size_t>(index) + 1) return;
    m_navigation.clear();
    if (DriveRecord(index)) ShowFolder(DriveRecord(index));
    RefreshGauge(true);
    RefreshCapacityTexts();
}

void CManagerDlg::ShowFolder(const ShellItemPtr& record) {
    m_navigation.assign(1, record);
    FillPlayerList();
}

void CManagerDlg::FillPlayerList() {
    if (!m_navigation.empty()) m_playerList.Fill(*m_navigation.back(), m_filter, nullptr);
}

void CManagerDlg::FillPcList() {
    // The player's drives are not offered on the PC's side.
    const ShellItemPtr folder = m_tree.SelectedItem();
    if (folder) m_pcList.Fill(*folder, m_filter, &m_drives);
}

void CManagerDlg::SetDriveButtons() {
    const DriveButtons buttons = DriveButtonsFor(m_drives.size());
    GetItem(kDrive1Button).Enable(buttons.drive1);
    GetItem(kDrive2Button).Enable(buttons.drive2);
}

void CManagerDlg::RefreshGauge(bool repaint) {
    DriveCapacity capacity;
    std::vector<uint64_t> pair;
    if (!m_navigation.empty() && QueryDriveCapacity(m_navigation.front().get(), capacity)) {
        pair = {capacity.totalKb, capacity.freeKb};
    }
    if (!m_layout.Element(132).Shown()) return;
    m_gauge.SetCapacity(pair);
    if (repaint) ::InvalidateRect(m_gauge, nullptr, TRUE);
}

void CManagerDlg::RefreshCapacityTexts() {
    const int kTextIds[2][3] = {{kDrive1TotalText, kDrive1FreeText, kDrive1UsedText},
                                {kDrive2TotalText, kDrive2FreeText, kDrive2UsedText}};
    for (int drive = 0; drive < 2; ++drive) {
        DriveCapacity capacity;
        const bool known = QueryDriveCapacity(DriveRecord(drive).get(), capacity);
        const std::array<std::wstring, 3> texts = CapacityTexts(known ? &capacity : nullptr);
        for (int i = 0; i < 3; ++i) {
            auto text = m_capacityTexts.find(kTextIds[drive][i]);
            if (text == m_capacityTexts.end()) continue;
            text->second->Send(WM_SETFONT, reinterpret_cast<WPARAM>(m_listFont), FALSE);
            text->second->SetText(texts[i]);
        }
    }
}
