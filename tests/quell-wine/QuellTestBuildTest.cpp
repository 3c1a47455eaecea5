// Quell's test build under Wine: the drive named by QUELL_TEST_PLAYER (a
// folder mapped as a removable Wine drive) is identified as the player, and
// the player's USB device is on the second hub, as Tavlo's Wine tests need.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "usbsupport/Quell.h"

namespace {

const unsigned kVendor = 0x0ED1;
const unsigned kProduct = 0x7636;

TEST(QuellTestBuild, ThePlayersDriveIsIdentified) {
    const char* letter = std::getenv("QUELL_TEST_PLAYER");
    ASSERT_TRUE(letter && letter[0]) << "QUELL_TEST_PLAYER names no drive";
    const std::wstring root = std::wstring(1, static_cast<wchar_t>(letter[0])) + L":\\";
    ASSERT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), ::GetDriveTypeW(root.c_str())) << "no removable drive at the letter";

    CString roots(L"?:\\?:\\");
    EXPECT_EQ(root[0] - L'A' + 1, QGetUSbDrivers(roots, CString(L"MP3 Audio Player"), CString(L"LUMO")));
    EXPECT_EQ(root.c_str(), roots);
    EXPECT_EQ(0, QGetUSbDrivers(roots, CString(L"MP3 Audio Player"), CString(L"PELLAM")));
}

TEST(QuellTestBuild, ThePlayerIsOnTheSecondHub) {
    EXPECT_EQ(2, QCheckUsbDevice(kVendor, kProduct));
    EXPECT_EQ(1, QCheckUsbDevice(0x046D, 0xC31C));  // the keyboard
    EXPECT_EQ(0, QCheckUsbDevice(kVendor, 0x0001));
}

TEST(QuellTestBuild, TheSearchingDialogFindsThePlayerOrGivesUp) {
    SetCheckSpeed(1);
    SetSpeedMaxValue(10);
    SetVidPid(kVendor, kProduct);
    EXPECT_EQ(1, IsUsbConnect());
    SetVidPid(kVendor, 0x0001);
    EXPECT_EQ(0, IsUsbConnect());
    SetVidPid(0, 0);
    EXPECT_EQ(0, IsUsbConnect());
}

}  // namespace
