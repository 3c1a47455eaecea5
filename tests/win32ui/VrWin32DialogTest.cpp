// The updater's dialogs on real windows: what the logic sets through the
// surface is what the controls show, and what the user does reaches the logic.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Host.h"
#include "tests/win32ui/ProbeDialog.h"
#include "updater/app/VrDialogIds.h"
#include "updater/win32/VrWin32FrontEnd.h"

namespace {

class VrWin32Dialog : public ::testing::Test {
protected:
    void SetUp() override { frontEnd_.Initialise(); }

    static std::wstring ItemText(HWND window, int id) {
        wchar_t text[256] = {};
        ::GetDlgItemTextW(window, id, text, 256);
        return text;
    }

    Win32Host host_;
    VrWin32FrontEnd frontEnd_{host_};
};

TEST_F(VrWin32Dialog, ModelessSearchDialogShowsWhatItsLogicSets) {
    ProbeDialog search(kVrSearchTemplate);
    search.onInit = [](VrDialogSurface& surface) {
        surface.SetTitle(L"Searching");
        surface.SetItemText(kVrSearchStatus, L"Looking for the player");
        surface.SetBarRange(kVrSearchBar, 0x10000 + 40, 4);
        surface.StepBar(kVrSearchBar);
        surface.StepBar(kVrSearchBar);
        surface.ShowItem(kVrSearchBar, false);
        surface.AddSystemMenuEntry(kVrAboutCommand, L"&About");
    };
    std::unique_ptr<VrDialogSurface> surface = frontEnd_.CreateModeless(search);
    HWND window = search.window;
    ASSERT_TRUE(::IsWindow(window));
    EXPECT_EQ(window, surface->Handle());
    // Made hidden: the start-up shows it when the search begins.
    EXPECT_FALSE(::IsWindowVisible(window));
    surface->ShowWindow(true);
    EXPECT_TRUE(::IsWindowVisible(window));

    wchar_t title[64] = {};
    ::GetWindowTextW(window, title, 64);
    EXPECT_STREQ(L"Searching", title);
    EXPECT_EQ(L"Looking for the player", ItemText(window, kVrSearchStatus));

    HWND bar = ::GetDlgItem(window, kVrSearchBar);
    EXPECT_FALSE(::IsWindowVisible(bar));
    // The range travels as 16 bits.
    EXPECT_EQ(40, ::SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(8, ::SendMessageW(bar, PBM_GETPOS, 0, 0));
    surface->SetBarPosition(kVrSearchBar, 3);
    EXPECT_EQ(3, ::SendMessageW(bar, PBM_GETPOS, 0, 0));

    HMENU menu = ::GetSystemMenu(window, FALSE);
    int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(UINT(kVrAboutCommand), ::GetMenuItemID(menu, count - 1));
    wchar_t entry[32] = {};
    ::GetMenuStringW(menu, count - 1, entry, 32, MF_BYPOSITION);
    EXPECT_STREQ(L"&About", entry);
    MENUITEMINFOW separator = {};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu, count - 2, TRUE, &separator));
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);

    surface.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(1, search.destroyed);
}

TEST_F(VrWin32Dialog, ClicksEscapeTheCloseBoxAndTheSystemMenuReachTheLogic) {
    ProbeDialog download(kVrDownloadTemplate);
    std::unique_ptr<VrDialogSurface> surface = frontEnd_.CreateModeless(download);
    HWND window = download.window;
    ASSERT_TRUE(::IsWindow(window));

    // The check box ticks itself when clicked; the logic hears the click.
    ::SendDlgItemMessageW(window, kVrDownloadFormatBox, BM_CLICK, 0, 0);
    EXPECT_TRUE(download.surface->IsChecked(kVrDownloadFormatBox));
    download.surface->SetCheck(kVrDownloadFormatBox, false);
    EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(window, kVrDownloadFormatBox));

    // Start stays disabled (and silent) until the logic enables it.
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, kVrDownloadStart)));
    download.surface->EnableItem(kVrDownloadStart, true);
    ::SendDlgItemMessageW(window, kVrDownloadStart, BM_CLICK, 0, 0);

    // Typing into an edit sends notifications that are not commands.
    ::SetDlgItemTextW(window, kVrDownloadStageText, L"Writing");
    // The close box arrives as Cancel, posted by the dialog manager.
    ::SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(frontEnd_.PumpMessages());
    EXPECT_EQ((std::vector<int>{kVrDownloadFormatBox, kVrDownloadStart, kVrIdCancel}),
              download.commands);

    // The program's own system command goes to the logic as it is; one the
    // logic does not take gets the window's default (restore does nothing to
    // a window that is neither minimised nor maximised).
    ::SendMessageW(window, WM_SYSCOMMAND, kVrAboutCommand, 0);
    ::SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ((std::vector<int>{kVrAboutCommand, SC_RESTORE}), download.sysCommands);
    EXPECT_TRUE(::IsWindow(window));

    // A modeless dialog closed by its logic is destroyed at once.
    download.surface->Close(kVrIdOk);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(1, download.destroyed);
    surface.reset();
    EXPECT_EQ(1, download.destroyed);
}

TEST_F(VrWin32Dialog, ModalDialogRunsUntilItsLogicClosesIt) {
    ProbeDialog about(kVrAboutTemplate);
    HICON shown = nullptr;
    about.onInit = [&](VrDialogSurface& surface) {
        surface.SetItemIcon(kVrAboutIconControl, kVrAboutIcon);
        shown = reinterpret_cast<HICON>(
            ::SendDlgItemMessageW(surface.Handle(), kVrAboutIconControl, STM_GETICON, 0, 0));
        // The user presses OK once the loop runs.
        ::PostMessageW(::GetDlgItem(surface.Handle(), kVrIdOk), BM_CLICK, 0, 0);
    };
    about.onCommand = [](VrDialogSurface& surface, int id) { surface.Close(id + 40); };
    EXPECT_EQ(kVrIdOk + 40, frontEnd_.RunModal(about, nullptr));
    EXPECT_EQ(std::vector<int>{kVrIdOk}, about.commands);
    EXPECT_EQ(1, about.destroyed);
    EXPECT_FALSE(::IsWindow(about.window));

    ICONINFO info = {};
    ASSERT_TRUE(shown && ::GetIconInfo(shown, &info));
    BITMAP picture = {};
    ::GetObjectW(info.hbmColor, sizeof(picture), &picture);
    EXPECT_EQ(32, picture.bmWidth);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

TEST_F(VrWin32Dialog, EscapeWhilePumpingGoesToTheDialog) {
    ProbeDialog download(kVrDownloadTemplate);
    std::unique_ptr<VrDialogSurface> surface = frontEnd_.CreateModeless(download);
    surface->ShowWindow(true);
    HWND button = ::GetDlgItem(download.window, kVrDownloadShowDetails);
    ::SetFocus(button);
    ASSERT_EQ(button, ::GetFocus());
    // Escape pressed on a control: only the dialog manager makes it Cancel.
    ::PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(frontEnd_.PumpMessages());
    EXPECT_EQ(std::vector<int>{kVrIdCancel}, download.commands);
}

}  // namespace
