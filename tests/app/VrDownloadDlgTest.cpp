// The download dialog driving real downloads on the simulated PC: what it
// shows and logs, what it asks, what it ignores while busy, and the windows
// it opens.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/TextCodec.h"
#include "tests/app/AppTestBed.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/base/VrProgress.h"
#include "updater/base/VrResult.h"

namespace {

bool HasFile(AppTestBed& bed, const wchar_t* path) {
    return bed.host.GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool HasShippedFirmware(AppTestBed& bed) {
    for (uint8_t tag : {0x50, 0x01, 0x00, 0x02}) {
        if (!(bed.SystemDrive(tag)->componentVersion == bed.Shipped(tag).componentVersion)) return false;
    }
    return true;
}

TEST(DownloadDialog, ASilentRunUpdatesThePlayerAndEndsByItself) {
    AppTestBed bed;
    bed.AttachPlayer(FirmwareChoice::kOld, 16, {L"SETTINGS.DAT", L"SONG.MP3"});

    EXPECT_EQ(kVrOk, bed.app.Run(L"-silent"));
    EXPECT_TRUE(bed.frontEnd.messages.empty());
    EXPECT_TRUE(HasShippedFirmware(bed));
    EXPECT_FALSE(HasFile(bed, L"E:\\SETTINGS.DAT"));
    EXPECT_TRUE(HasFile(bed, L"E:\\SONG.MP3"));

    auto download = bed.Dialog(kVrDownloadTemplate);
    ASSERT_TRUE(download);
    EXPECT_FALSE(download->modal);
    EXPECT_TRUE(download->closed);
    EXPECT_EQ(1, bed.frontEnd.quitsPosted);
    // Cleared at the start, then one text per stage: 13 and the final one.
    const std::vector<std::wstring>& stages = download->textHistory[kVrDownloadStageText];
    ASSERT_EQ(15u, stages.size());
    EXPECT_EQ(L"", stages.front());
    EXPECT_EQ(bed.Text(163), stages[1]);
    EXPECT_EQ(bed.Text(169), stages.back());
    EXPECT_EQ(14, download->controls[kVrDownloadOverallBar].barUpper);
    EXPECT_EQ(14, download->controls[kVrDownloadOverallBar].barPosition);
    EXPECT_TRUE(download->controls[kVrDownloadStart].enabled);

    const LONG expected[] = {SHCNE_MEDIAREMOVED, SHCNE_MEDIAINSERTED, SHCNE_UPDATEDIR, SHCNE_FREESPACE};
    std::vector<SimShellNotice> notices = bed.machine.ShellNotices();
    ASSERT_EQ(4u, notices.size());
    for (size_t i = 0; i < notices.size(); ++i) {
        EXPECT_EQ(expected[i], notices[i].eventId);
        EXPECT_EQ(SHCNF_PATHW | SHCNF_FLUSH, notices[i].flags);
        EXPECT_EQ(L"E:\\", notices[i].path);
    }
}

TEST(DownloadDialog, EscapeDuringADownloadIsIgnoredAndClosesAfterIt) {
    AppTestBed bed;
    bed.AttachPlayer(FirmwareChoice::kOld);
    int escapes = 0;
    bed.frontEnd.modalScripts[kVrDownloadTemplate] = [&](VrDialog& dialog, RecordingSurface& surface) {
        const CVrProgress& sink = dynamic_cast<CVrProgress&>(dialog);
        bed.frontEnd.onPump = [&](int) {
            if (sink.IsBusy() && escapes < 3) {
                ++escapes;
                dialog.OnCommand(kVrIdCancel);
            }
        };
        dialog.OnCommand(kVrDownloadStart);
        bed.frontEnd.onPump = nullptr;
        EXPECT_FALSE(surface.IsClosed());
        dialog.OnCommand(kVrIdCancel);
        EXPECT_TRUE(surface.IsClosed());
    };
    EXPECT_EQ(kVrOk, bed.app.Run(L""));
    EXPECT_EQ(3, escapes);
    EXPECT_TRUE(HasShippedFirmware(bed));
}

TEST(DownloadDialog, ABoxCheckedAndThenDeclinedLeavesAPlainDownload) {
    AppTestBed bed;
    bed.AttachPlayer(FirmwareChoice::kOld, 16, {L"SONG.MP3"});
    bed.frontEnd.answers = {kVrButtonNo};
    bed.frontEnd.modalScripts[kVrDownloadTemplate] = [](VrDialog& dialog, RecordingSurface& surface) {
        surface.SetCheck(kVrDownloadFormatBox, true);  // the user's click
        dialog.OnCommand(kVrDownloadFormatBox);
        EXPECT_FALSE(surface.IsChecked(kVrDownloadFormatBox));
        dialog.OnCommand(kVrDownloadStart);
    };
    EXPECT_EQ(kVrOk, bed.app.Run(L""));
    ASSERT_EQ(1u, bed.frontEnd.messages.size());
    EXPECT_EQ(kVrMessageOption, bed.frontEnd.messages[0].kind);
    EXPECT_EQ(bed.Text(162), bed.frontEnd.messages[0].message);
    EXPECT_TRUE(HasShippedFirmware(bed));
    EXPECT_TRUE(HasFile(bed, L"E:\\SONG.MP3"));  // no format
}

TEST(DownloadDialog, ALayoutTooSmallIsRebuiltWhenTheUserAgrees) {
    AppTestBed bed;
    bed.AttachPlayerWithTooSmallLayout();
    bed.frontEnd.answers = {kVrButtonYes};
    bed.PressStartWhenShown();
    EXPECT_EQ(kVrOk, bed.app.Run(L""));
    ASSERT_EQ(1u, bed.frontEnd.messages.size());
    EXPECT_EQ(bed.Text(161), bed.frontEnd.messages[0].message);
    EXPECT_GE(bed.SystemDrive(0x02)->size, bed.Shipped(0x02).image.size());
    EXPECT_TRUE(HasShippedFirmware(bed));
    auto download = bed.Dialog(kVrDownloadTemplate);
    ASSERT_TRUE(download);
    EXPECT_FALSE(download->controls[kVrDownloadFormatBox].checked);  // back as it started
    EXPECT_EQ(29, download->controls[kVrDownloadOverallBar].barUpper);
}

TEST(DownloadDialog, WithoutQuestionsATooSmallLayoutIsRebuiltAtOnce) {
    AppTestBed bed;
    bed.AttachPlayerWithTooSmallLayout();
    bed.PressStartWhenShown();
    EXPECT_EQ(kVrOk, bed.app.Run(L"-noquestions"));
    EXPECT_TRUE(bed.frontEnd.messages.empty());
    EXPECT_TRUE(HasShippedFirmware(bed));
}

TEST(DownloadDialog, AFailedDownloadIsReportedAndIsTheProgramsResult) {
    AppTestBed bed;
    bed.AttachPlayer(FirmwareChoice::kOld);
    bed.volume->RefuseLock(true);
    bed.PressStartWhenShown();
    EXPECT_EQ(kVrLockFailed, bed.app.Run(L""));
    ASSERT_EQ(1u, bed.frontEnd.messages.size());
    EXPECT_EQ(kVrMessageError, bed.frontEnd.messages[0].kind);
    auto download = bed.Dialog(kVrDownloadTemplate);
    ASSERT_TRUE(download);
    EXPECT_EQ(bed.Text(168), download->controls[kVrDownloadStageText].text);
    EXPECT_EQ(download->controls[kVrDownloadOverallBar].barUpper,
              download->controls[kVrDownloadOverallBar].barPosition);
}

TEST(DownloadDialog, APlayerGoneBeforeDetailsOrStartIsAWarning) {
    AppTestBed bed;
    bed.AttachPlayer(FirmwareChoice::kOld);
    bed.frontEnd.modalScripts[kVrDownloadTemplate] = [&](VrDialog& dialog, RecordingSurface&) {
        bed.port->Unplug();
        dialog.OnCommand(kVrDownloadShowDetails);
        dialog.OnCommand(kVrDownloadStart);
    };
    EXPECT_EQ(kVrNoPlayerAtStart, bed.app.Run(L""));
    ASSERT_EQ(2u, bed.frontEnd.messages.size());
    EXPECT_EQ(kVrMessageWarning, bed.frontEnd.messages[0].kind);
    EXPECT_EQ(bed.Text(222), bed.frontEnd.messages[0].message);
    EXPECT_EQ(kVrMessageWarning, bed.frontEnd.messages[1].kind);
    EXPECT_EQ(bed.Text(221), bed.frontEnd.messages[1].message);
    // The details still show the files' versions; nothing was downloaded.
    auto details = bed.Dialog(kVrDetailsTemplate);
    ASSERT_TRUE(details);
    EXPECT_EQ(AppTestBed::VersionText(bed.Shipped(0x02).componentVersion),
              details->controls[kVrDetailsRows[3].newVersion].text);
    EXPECT_TRUE(bed.machine.ShellNotices().empty());
}

TEST(DownloadDialog, DetailsAndAboutShowTheFilesThePlayerAndTheProgram) {
    AppTestBed bed;
    bed.AttachPlayer(FirmwareChoice::kOld);
    bed.frontEnd.modalScripts[kVrDownloadTemplate] = [](VrDialog& dialog, RecordingSurface&) {
        dialog.OnCommand(kVrDownloadShowDetails);
        EXPECT_TRUE(dialog.OnSysCommand(kVrAboutCommand));
        EXPECT_FALSE(dialog.OnSysCommand(0xF060));  // the close command stays the window's
    };
    EXPECT_EQ(kVrOk, bed.app.Run(L""));
    EXPECT_TRUE(bed.frontEnd.messages.empty());

    auto download = bed.Dialog(kVrDownloadTemplate);
    ASSERT_TRUE(download);
    EXPECT_EQ(std::vector<std::wstring>{L"&About Lumo MP3 Firmware Download"}, download->systemMenu);
    EXPECT_EQ(kVrSmallIcon, download->windowIcon);

    auto details = bed.Dialog(kVrDetailsTemplate);
    ASSERT_TRUE(details);
    EXPECT_EQ(bed.Text(154), details->title);
    const VrDetailsRow& massStorage = kVrDetailsRows[1];
    EXPECT_EQ(L"USB Mass Storage", details->controls[massStorage.currentLabel].text);
    EXPECT_EQ(AppTestBed::VersionText(bed.SystemDrive(0x01)->componentVersion),
              details->controls[massStorage.currentVersion].text);
    EXPECT_EQ(AppTestBed::VersionText(bed.Shipped(0x01).componentVersion),
              details->controls[massStorage.newVersion].text);
    EXPECT_EQ(L"C:\\Caddis\\usbmsc.sb", details->controls[massStorage.path].text);
    EXPECT_EQ(L"3", details->controls[kVrDetailsChipRevision].text);
    EXPECT_TRUE(details->controls[kVrDetailsChipRevision].shown);

    auto about = bed.Dialog(kVrAboutTemplate);
    ASSERT_TRUE(about);
    EXPECT_EQ(L"About Lumo MP3 Firmware Download", about->title);
    EXPECT_EQ(L"Lumo MP3 Audio Player Firmware Download Program", about->controls[kVrAboutProductLine].text);
    EXPECT_EQ(L"Version 1, 548, 1, 139", about->controls[kVrAboutVersion].text);
    EXPECT_EQ(kVrAboutIcon, about->controls[kVrAboutIconControl].icon);
}

TEST(DownloadDialog, WithALogEveryStageIsWritten) {
    AppTestBed bed;
    bed.AttachPlayer(FirmwareChoice::kOld);
    bed.PressStartWhenShown();
    EXPECT_EQ(kVrOk, bed.app.Run(L"-log caddis.log"));

    std::ifstream file(bed.folder.Path() / "Caddis" / "caddis.log", std::ios::binary);
    std::stringstream log;
    log << file.rdbuf();
    for (const char* entry : {": Download started.\r\n", ": Opening the player...\r\n", ": Download completed.\r\n"}) {
        EXPECT_NE(std::string::npos, log.str().find(entry)) << entry << "\n" << log.str();
    }
    // The download's result is logged once; deleting the settings file adds nothing.
    std::wstring message;
    ASSERT_EQ(kVrOk, bed.app.GetResource().GetErrorText(kVrOk, message, true));
    const std::string success = ": " + Utf8FromWide(message) + "\r\n";
    const size_t first = log.str().find(success);
    EXPECT_NE(std::string::npos, first) << log.str();
    EXPECT_EQ(std::string::npos, log.str().find(success, first + 1)) << log.str();
}

}  // namespace
