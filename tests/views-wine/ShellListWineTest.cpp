// CShellList on a real window over Wine's shell: a folder of files listed
// through a filter, sizes in KB, and the order after clicks on the size
// column's title.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "tests/views-wine/ViewsWindow.h"
#include "tests/views-wine/WineFolder.h"

namespace {

class ShellListWine : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write(L"SONG.MP3", 1025);
        folder.Write(L"a.mp3", 3000);
        folder.Write(L"big.mp3", 1234567890ull);
        folder.Write(L"empty.mp3", 0);
        folder.Write(L"notes.txt", 10);
        folder.Folder(L"Albums.mp3");  // a folder whose name ends like a file's
    }

    std::vector<std::wstring> Column(int column) {
        std::vector<std::wstring> texts;
        for (int row = 0; row < list().GetItemCount(); ++row) texts.push_back(list().GetItemText(row, column));
        return texts;
    }

    // A click on a column title, as the mouse gives it to the header.
    void ClickTitle(int column) {
        CHeaderCtrl header = list().GetHeader();
        RECT item = {};
        ASSERT_TRUE(header.GetItemRect(column, &item));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        header.Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
        header.Send(WM_LBUTTONUP, 0, at);
        ViewsWindow::Pump();
    }

    CShellList& list() { return window.List(); }

    WineFolder folder;
    ViewsWindow window;
};

TEST_F(ShellListWine, AnMp3FilterShowsItsFilesInAnyCaseAndNoFolders) {
    ASSERT_TRUE(list().FillPath(folder.Path(), L"*.mp3", nullptr));
    const std::vector<std::wstring> names = Column(0);
    ASSERT_EQ(4u, names.size());
    std::set<std::wstring> shown(names.begin(), names.end());
    // Wine may show names without their extensions, as Windows does for
    // known types.
    EXPECT_TRUE(shown.count(L"SONG.MP3") || shown.count(L"SONG")) << "SONG.MP3 missing";
    EXPECT_TRUE(shown.count(L"a.mp3") || shown.count(L"a")) << "a.mp3 missing";

    // Each row carries its record, with the file's own path.
    std::set<std::wstring> paths;
    for (int row = 0; row < list().GetItemCount(); ++row) paths.insert(list().Item(row)->FileSystemPath());
    EXPECT_EQ(1u, paths.count(folder.Path() + L"\\SONG.MP3"));
    EXPECT_EQ(1u, paths.count(folder.Path() + L"\\a.mp3"));
    EXPECT_EQ(0u, paths.count(folder.Path() + L"\\Albums.mp3"));
}

TEST_F(ShellListWine, SizesAreWholeKilobytesAndDatesUseTheFormatter) {
    ASSERT_TRUE(list().FillPath(folder.Path(), L"*.*", nullptr));
    ASSERT_EQ(6, list().GetItemCount());
    std::set<std::wstring> sizes;
    for (int row = 0; row < list().GetItemCount(); ++row) {
        const std::wstring size = list().GetItemText(row, kSizeColumn);
        if (list().Item(row)->IsFolder()) {
            EXPECT_EQ(L"", size) << "a folder has no size";
        } else {
            sizes.insert(size);
            EXPECT_EQ(16u, list().GetItemText(row, kDateColumn).size()) << "the fixed picture YYYY-MM-DD HH:MM";
        }
    }
    EXPECT_EQ((std::set<std::wstring>{L"1 KB", L"2 KB", L"3 KB", L"1,205,633 KB"}), sizes);
}

TEST_F(ShellListWine, TwoClicksOnTheSizeTitleSortBySizeDescending) {
    ASSERT_TRUE(list().FillPath(folder.Path(), L"*.mp3", nullptr));
    CHeaderCtrl header = list().GetHeader();
    for (int column = 0; column < header.GetItemCount(); ++column) {
        EXPECT_TRUE(header.GetItemFormat(column) & HDF_OWNERDRAW) << "column " << column;
    }
    ClickTitle(kSizeColumn);
    EXPECT_EQ(kSizeColumn, list().Sort().column);
    EXPECT_FALSE(list().Sort().descending);
    EXPECT_EQ((std::vector<std::wstring>{L"1 KB", L"2 KB", L"3 KB", L"1,205,633 KB"}), Column(kSizeColumn));

    ClickTitle(kSizeColumn);
    EXPECT_TRUE(list().Sort().descending);
    EXPECT_EQ((std::vector<std::wstring>{L"1,205,633 KB", L"3 KB", L"2 KB", L"1 KB"}), Column(kSizeColumn));
}

TEST_F(ShellListWine, TheFirstTwoExclusionsAreLeftOut) {
    const std::vector<std::wstring> exclusions{L"SONG", L"empty", L"a"};
    ASSERT_TRUE(list().FillPath(folder.Path(), L"*.mp3", &exclusions));
    std::set<std::wstring> paths;
    for (int row = 0; row < list().GetItemCount(); ++row) paths.insert(list().Item(row)->FileSystemPath());
    EXPECT_EQ((std::set<std::wstring>{folder.Path() + L"\\a.mp3", folder.Path() + L"\\big.mp3"}), paths);
}

}  // namespace
