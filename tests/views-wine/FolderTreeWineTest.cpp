// CFolderTree on a real window over Wine's shell, with a removable Wine
// drive that Quell's test build identifies as the player (QUELL_TEST_PLAYER):
// the player's drive is found through Quell, hidden from My Computer and
// reported to the window; every other drive shows; the work folder opens.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "manager/app/WorkFolder.h"
#include "manager/views/DriveCapacityQuery.h"
#include "manager/views/ManagerMessages.h"
#include "manager/views/QuellDriveQuery.h"
#include "platform/win32/Win32Host.h"
#include "tests/views-wine/ViewsWindow.h"

namespace {

std::wstring PlayerDrive() {
    const char* letter = std::getenv("QUELL_TEST_PLAYER");
    return letter && letter[0] ? std::wstring(1, static_cast<wchar_t>(letter[0] & ~0x20)) + L":" : L"";
}

class FolderTreeWine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(L"", PlayerDrive()) << "QUELL_TEST_PLAYER names no drive";
        Win32Host host;
        DetectPlayerDrives(host, QuellDriveQuery(), drives);
    }

    std::vector<std::wstring> DriveLabels() {
        std::vector<std::wstring> labels;
        CFolderTree& tree = window.Tree();
        for (HTREEITEM child = tree.GetChild(tree.MyComputer()); child; child = tree.GetNextSibling(child)) {
            labels.push_back(tree.GetItemText(child));
        }
        return labels;
    }

    static bool Holds(const std::vector<std::wstring>& labels, const std::wstring& text) {
        for (const std::wstring& label : labels) {
            if (label.find(text) != std::wstring::npos) return true;
        }
        return false;
    }

    DriveList drives;
    ViewsWindow window;
};

TEST_F(FolderTreeWine, QuellFindsThePlayerAndNoDriveAfterIt) {
    // The letter after the player is no drive on this prefix.
    EXPECT_EQ(DriveList{PlayerDrive()}, drives);
}

TEST_F(FolderTreeWine, ThePlayersDriveIsHiddenAndReportedAndTheOthersShow) {
    CFolderTree& tree = window.Tree();
    tree.SetDriveNames(drives);
    tree.Fill(L"");
    ASSERT_NE(nullptr, tree.MyComputer()) << "no My Computer among the desktop's folders";
    EXPECT_EQ(tree.MyComputer(), tree.GetSelection());

    const std::vector<std::wstring> labels = DriveLabels();
    EXPECT_FALSE(Holds(labels, PlayerDrive())) << "the player's drive shows";
    EXPECT_TRUE(Holds(labels, L"C:"));
    EXPECT_TRUE(Holds(labels, L"Z:")) << "a drive after the player's is hidden too";

    ASSERT_NE(nullptr, window.drive1);
    EXPECT_EQ(tree.PlayerDrive(0).get(), window.drive1);
    EXPECT_EQ(PlayerDrive() + L"\\", window.drive1->FileSystemPath());
    EXPECT_EQ(nullptr, window.drive2);

    DriveCapacity capacity;
    ASSERT_TRUE(QueryDriveCapacity(window.drive1, capacity));
    EXPECT_GT(capacity.totalKb, 1u);
}

TEST_F(FolderTreeWine, TheDrivesAreEnumeratedAgainAndReleasedOnRequest) {
    CFolderTree& tree = window.Tree();
    tree.SetDriveNames(drives);
    tree.Fill(L"");
    const int reports = window.driveReports;
    const size_t shown = DriveLabels().size();

    tree.Send(UM_TREE_REFRESH_DRIVES);
    EXPECT_EQ(reports + 1, window.driveReports);
    EXPECT_EQ(shown, DriveLabels().size());
    EXPECT_FALSE(Holds(DriveLabels(), PlayerDrive()));

    ShellItemPtr kept = tree.PlayerDrive(0);
    tree.Send(UM_TREE_RELEASE_DRIVES);
    EXPECT_EQ(nullptr, tree.PlayerDrive(0));
    EXPECT_EQ(PlayerDrive() + L"\\", kept->FileSystemPath()) << "a record the window kept outlives the tree's";
}

TEST_F(FolderTreeWine, TheWorkFolderIsOpenedByItsLabelsAndMadeAgainFromThem) {
    CFolderTree& tree = window.Tree();
    tree.Fill(L"");
    std::wstring driveC;
    for (const std::wstring& label : DriveLabels()) {
        if (label.find(L"C:") != std::wstring::npos) driveC = label;
    }
    ASSERT_NE(L"", driveC);
    const std::wstring computer = tree.GetItemText(tree.MyComputer());
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring windowsName = std::wstring(windows).substr(3);

    const std::wstring work = computer + L"\\" + driveC + L"\\" + windowsName;
    tree.Fill(work);
    EXPECT_EQ(0, ::lstrcmpiW(windows, tree.SelectedFolderPath().c_str())) << tree.SelectedFolderPath().c_str();
    EXPECT_EQ(0, ::lstrcmpiW(work.c_str(), tree.WorkFolderPath().c_str()));

    // A label that is not there stops the way at the folder before it.
    tree.Fill(computer + L"\\" + driveC + L"\\no such folder\\" + windowsName);
    EXPECT_EQ(L"C:\\", tree.SelectedFolderPath());
}

}  // namespace
