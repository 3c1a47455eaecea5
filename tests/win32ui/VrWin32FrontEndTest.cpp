// The Windows front end's own services: the program's icons, the message pump
// and the quit message, the other copy brought forward, the administrator test.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Host.h"
#include "tests/win32ui/ProbeDialog.h"
#include "updater/app/VrDialogIds.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"
#include "updater/win32/VrIcons.h"
#include "updater/win32/VrWin32FrontEnd.h"

namespace {

int IconWidth(HICON icon) {
    ICONINFO info = {};
    if (!::GetIconInfo(icon, &info)) return 0;
    BITMAP picture = {};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(picture), &picture);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return picture.bmWidth;
}

TEST(VrWin32Icons, TheAboutPictureIsLargeEveryOtherIconSmall) {
    CVrIconLoader icons;
    HICON window = nullptr;
    HICON about = nullptr;
    ASSERT_EQ(kVrOk, icons.GetIcon(kVrSmallIcon, window));
    ASSERT_EQ(kVrOk, icons.GetIcon(kVrAboutIcon, about));
    EXPECT_EQ(16, IconWidth(window));
    EXPECT_EQ(32, IconWidth(about));
    // Shared: the same handle every time, never to be destroyed by the caller.
    HICON again = nullptr;
    icons.GetIcon(kVrSmallIcon, again);
    EXPECT_EQ(window, again);
}

TEST(VrWin32Icons, AMissingIconIsRecordedWithTheSystemsReason) {
    CVrIconLoader icons;
    CVrErrorRecord record;
    HICON icon = nullptr;
    // Before the engine exists there is nowhere to record; the code still tells.
    EXPECT_EQ(kVrIconNotLoaded, icons.GetIcon(4000, icon));
    EXPECT_EQ(0, record.GetResultCode());

    icons.SetFailureRecord(&record);
    EXPECT_EQ(kVrIconNotLoaded, icons.GetIcon(4000, icon));
    EXPECT_EQ(nullptr, icon);
    EXPECT_EQ(kVrIconNotLoaded, record.GetResultCode());
    EXPECT_NE(0u, record.GetSystemError());
}

class VrWin32FrontEndTest : public ::testing::Test {
protected:
    void SetUp() override { frontEnd_.Initialise(); }

    Win32Host host_;
    VrWin32FrontEnd frontEnd_{host_};
};

TEST_F(VrWin32FrontEndTest, PumpDispatchesUntilTheQuitMessageAndLeavesItForTheCaller) {
    ProbeDialog search(kVrSearchTemplate);
    std::unique_ptr<VrDialogSurface> surface = frontEnd_.CreateModeless(search);
    ::PostMessageW(search.window, WM_COMMAND, MAKEWPARAM(kVrIdCancel, BN_CLICKED), 0);
    EXPECT_TRUE(frontEnd_.PumpMessages());
    EXPECT_EQ(std::vector<int>{kVrIdCancel}, search.commands);

    // The quit message comes once nothing else waits.
    frontEnd_.PostQuit();
    ::PostMessageW(search.window, WM_COMMAND, MAKEWPARAM(kVrIdOk, BN_CLICKED), 0);
    EXPECT_FALSE(frontEnd_.PumpMessages());
    EXPECT_EQ((std::vector<int>{kVrIdCancel, kVrIdOk}), search.commands);
    // It is left for the loop that waits for it, and seen there only once.
    MSG quit;
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, quit.wParam);
    EXPECT_TRUE(frontEnd_.PumpMessages());
}

TEST_F(VrWin32FrontEndTest, BringsTheFirstWindowFoundForwardRestoredIfMinimised) {
    ProbeDialog other(kVrSearchTemplate);
    other.onInit = [](VrDialogSurface& surface) { surface.SetTitle(L"Caddis test copy 7f3a"); };
    std::unique_ptr<VrDialogSurface> surface = frontEnd_.CreateModeless(other);
    surface->ShowWindow(true);
    ::ShowWindow(other.window, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(other.window));

    EXPECT_FALSE(frontEnd_.BringForward({L"Caddis test no such window"}));
    EXPECT_TRUE(::IsIconic(other.window));
    EXPECT_TRUE(frontEnd_.BringForward({L"Caddis test no such window", L"Caddis test copy 7f3a"}));
    EXPECT_FALSE(::IsIconic(other.window));
}

TEST_F(VrWin32FrontEndTest, TheTestUserIsAnAdministrator) {
    // Wine's user belongs to the local Administrators group, so every step of
    // the check must succeed for this to hold.
    EXPECT_TRUE(frontEnd_.IsAdministrator());
}

}  // namespace
