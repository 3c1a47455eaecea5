// The wait for the player: a player found opens the download dialog, one in
// recovery mode first gets its firmware, and the wait ends by Cancel or on a
// component file that is missing or damaged. The drive wait runs on the simulated clock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/app/AppTestBed.h"
#include "updater/base/VrResult.h"

namespace {

TEST(PlayerWait, AFoundPlayerGetsTheDownloadDialogWithBothVersions) {
    AppTestBed bed;
    bed.AttachPlayer(FirmwareChoice::kOld);
    const SimVersionRecord onPlayer = bed.SystemDrive(0x00)->productVersion;

    EXPECT_EQ(kVrOk, bed.app.Run(L""));
    EXPECT_TRUE(bed.frontEnd.messages.empty());
    auto search = bed.Dialog(kVrSearchTemplate);
    ASSERT_TRUE(search);
    EXPECT_EQ(L"Searching for the player - Lumo MP3 Firmware Download...", search->title);
    EXPECT_EQ(bed.Text(102), search->controls[kVrSearchStatus].text);
    EXPECT_FALSE(search->controls[kVrSearchAnimationControl].playing);
    EXPECT_TRUE(search->closed);

    auto download = bed.Dialog(kVrDownloadTemplate);
    ASSERT_TRUE(download);
    EXPECT_TRUE(download->modal);
    EXPECT_EQ(AppTestBed::VersionText(onPlayer), download->controls[kVrDownloadCurrentVersion].text);
    EXPECT_EQ(AppTestBed::VersionText(bed.Shipped(0x00).productVersion),
              download->controls[kVrDownloadNewVersion].text);
    EXPECT_NE(download->controls[kVrDownloadCurrentVersion].text, download->controls[kVrDownloadNewVersion].text);
}

TEST(PlayerWait, APlayerWhoseTableCannotBeReadIsStillOffered) {
    AppTestBed bed;
    SimPlayerState state(uint64_t(16) << 20);
    ASSERT_EQ("", InstallFirmware(state, FirmwareChoice::kOld, bed.shipped));
    state.tableDamaged = true;
    bed.AttachPlayer(std::move(state));

    EXPECT_EQ(kVrOk, bed.app.Run(L""));
    ASSERT_EQ(1u, bed.frontEnd.messages.size());
    EXPECT_EQ(kVrMessageInformation, bed.frontEnd.messages[0].kind);
    EXPECT_EQ(bed.Text(210), bed.frontEnd.messages[0].message);
    auto download = bed.Dialog(kVrDownloadTemplate);
    ASSERT_TRUE(download);
    EXPECT_EQ(L"000.000.000", download->controls[kVrDownloadCurrentVersion].text);
    EXPECT_EQ(AppTestBed::VersionText(bed.Shipped(0x00).productVersion),
              download->controls[kVrDownloadNewVersion].text);
}

TEST(PlayerWait, APlayerInRecoveryModeGetsItsFirmwareAndIsThenUpdated) {
    AppTestBed bed;
    bed.AttachPlayerInRecoveryMode();
    bed.PressStartWhenShown();

    EXPECT_EQ(kVrOk, bed.app.Run(L""));
    EXPECT_TRUE(bed.frontEnd.messages.empty());
    auto search = bed.Dialog(kVrSearchTemplate);
    ASSERT_TRUE(search);
    const std::vector<std::wstring> statuses = {bed.Text(102), bed.Text(103), bed.Text(104), bed.Text(102)};
    EXPECT_EQ(statuses, search->textHistory[kVrSearchStatus]);
    const RecordedDialog::Control& bar = search->controls[kVrSearchBar];
    EXPECT_EQ(static_cast<int>((bed.Shipped(0x01).image.size() + 4095) / 4096), bar.barUpper);
    EXPECT_EQ(bar.barUpper, bar.barPosition);

    ASSERT_TRUE(bed.Dialog(kVrDownloadTemplate));
    for (uint8_t tag : {0x50, 0x01, 0x00, 0x02}) {
        EXPECT_EQ(bed.Shipped(tag).componentVersion, bed.SystemDrive(tag)->componentVersion) << int(tag);
    }
}

TEST(PlayerWait, CancelWhileNoPlayerIsThereEndsTheProgramAfterThePoll) {
    AppTestBed bed;
    bed.frontEnd.onPump = [&](int pumps) {
        if (pumps == 5) {
            EXPECT_TRUE(bed.frontEnd.Press(kVrSearchTemplate, kVrIdCancel));
        }
    };
    EXPECT_EQ(kVrNoPlayer, bed.app.Run(L""));
    EXPECT_EQ(5, bed.frontEnd.pumps);
    EXPECT_EQ(5, bed.frontEnd.waits);  // each round idles before it pumps
    EXPECT_TRUE(bed.app.IsCancelled());
    EXPECT_TRUE(bed.frontEnd.messages.empty());
    EXPECT_TRUE(bed.frontEnd.DialogsOf(kVrDownloadTemplate).empty());
}

TEST(PlayerWait, AMissingComponentFileEndsTheWait) {
    AppTestBed bed;
    std::filesystem::remove(bed.folder.Path() / "Caddis" / "usbmsc.sb");
    bed.AttachPlayer(FirmwareChoice::kOld);

    EXPECT_EQ(kVrFileOpenFailed, bed.app.Run(L""));
    ASSERT_EQ(1u, bed.frontEnd.messages.size());
    EXPECT_EQ(kVrMessageError, bed.frontEnd.messages[0].kind);
    EXPECT_NE(std::wstring::npos, bed.frontEnd.messages[0].message.find(L"usbmsc.sb"));
    EXPECT_TRUE(bed.frontEnd.DialogsOf(kVrDownloadTemplate).empty());
}

TEST(PlayerWait, ADamagedComponentFileEndsTheWaitWithItsOwnReport) {
    // An image of no bytes, and a version header whose marker is missing.
    for (const char* content : {"", "Product Version: 1.5.0\nComponent Version: 1.5.7\n"}) {
        AppTestBed bed;
        std::ofstream(bed.folder.Path() / "Caddis" / "resource.bin", std::ios::binary | std::ios::trunc) << content;
        // Should the wait go on, the user gives up after a few rounds.
        bed.frontEnd.onPump = [&](int pumps) {
            if (pumps == 3) bed.frontEnd.Press(kVrSearchTemplate, kVrIdCancel);
        };
        EXPECT_EQ(kVrBadComponentFile, bed.app.Run(L"")) << '"' << content << '"';
        ASSERT_EQ(1u, bed.frontEnd.messages.size());
        EXPECT_EQ(kVrMessageError, bed.frontEnd.messages[0].kind);
        EXPECT_EQ(bed.Text(120), bed.frontEnd.messages[0].message);
    }
}

// How long the drive wait lasts, on the simulated clock, when the pump number
// `act` does something (0: nothing happens).
class DriveWait : public ::testing::Test {
protected:
    DWORD Wait(int act, std::function<void()> action) {
        bed.frontEnd.onPump = [=](int pumps) {
            if (pumps == act) action();
        };
        const DWORD start = bed.host.GetTickCount();
        bed.app.WaitForDriveChange(bed.host.GetLogicalDrives());
        return bed.host.GetTickCount() - start;
    }
    AppTestBed bed;
};

TEST_F(DriveWait, NoNewDriveGivesUpAfterTwoMinutes) {
    EXPECT_EQ(121000u, Wait(0, [] {}));
}

TEST_F(DriveWait, ANewDriveIsGivenTenSecondsToSettle) {
    EXPECT_EQ(3 * 500u + 100 * 100u, Wait(3, [this] { bed.AttachPlayer(FirmwareChoice::kOld); }));
}

TEST_F(DriveWait, CancelEndsTheWaitWithoutSettling) {
    EXPECT_EQ(2 * 500u, Wait(2, [this] { bed.app.Cancel(); }));
}

}  // namespace
