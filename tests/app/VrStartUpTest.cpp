// The updater's start-up on a simulated PC: the language it speaks and every
// reason it refuses to go on to the search for the player.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/TextCodec.h"
#include "resources/caddis/CaddisResourceImage.h"
#include "tests/app/AppTestBed.h"
#include "updater/base/VrResult.h"

namespace {

const wchar_t kSearchWindow[] = L"Searching for the player - Lumo MP3 Firmware Download...";
const wchar_t kRecoveryWindow[] = L"Recovering the player - Lumo MP3 Firmware Download...";

TEST(StartUp, AnItalianUserIsServedInEnglish) {
    AppTestBed bed;
    bed.machine.SetLanguages(0x0410, 0x0410);
    bed.AttachPlayer(FirmwareChoice::kCurrent);
    EXPECT_EQ(kVrOk, bed.app.Run(L""));
    EXPECT_EQ(LANG_ENGLISH, bed.app.GetLanguage());
    auto download = bed.Dialog(kVrDownloadTemplate);
    ASSERT_TRUE(download);
    EXPECT_EQ(L"Lumo MP3 Firmware Download", download->title);  // the program's own table
    EXPECT_EQ(L"&Start", download->controls[kVrDownloadStart].text);
}

TEST(StartUp, AMissingLibraryIsNamedInTheUsersLanguageAndEndsTheProgram) {
    AppTestBed bed;  // the English library only
    bed.machine.SetLanguages(0x0407, 0x0407);
    EXPECT_EQ(kVrLibraryNotLoaded, bed.app.Run(L""));
    ASSERT_EQ(1u, bed.frontEnd.messages.size());
    const RecordingFrontEnd::Message& shown = bed.frontEnd.messages[0];
    EXPECT_EQ(kVrMessageError, shown.kind);
    EXPECT_EQ(L"Ressource dll : vrxa0407.dll konnte nicht geladen werden", shown.message);
    EXPECT_FALSE(shown.details.empty());  // the system's own explanation
    EXPECT_TRUE(bed.frontEnd.dialogs.empty());
}

TEST(StartUp, ALibraryThatIsNoProgramIsNamedInTheSystemsTextToo) {
    AppTestBed bed;
    std::ofstream(bed.folder.Path() / "Caddis" / "vrxa0407.dll") << "not a program";
    bed.machine.SetLanguages(0x0407, 0x0407);
    EXPECT_EQ(kVrLibraryNotLoaded, bed.app.Run(L""));
    ASSERT_EQ(1u, bed.frontEnd.messages.size());
    const std::wstring& details = bed.frontEnd.messages[0].details;
    EXPECT_EQ(std::wstring::npos, details.find(L"%1")) << Utf8FromWide(details);
#ifndef _WIN32
    // The simulated PC's system texts are those of an English Windows.
    EXPECT_NE(std::wstring::npos, details.find(L"vrxa0407.dll is not a valid Win32 application."));
#endif
}

TEST(StartUp, OnlyWindows2000AndXpAskForAnAdministrator) {
    struct Case {
        DWORD platform, major, minor;
        bool asked;
    };
    const Case cases[] = {{VER_PLATFORM_WIN32_NT, 5, 1, true},
                          {VER_PLATFORM_WIN32_NT, 5, 0, true},
                          {VER_PLATFORM_WIN32_WINDOWS, 4, 10, false},
                          {VER_PLATFORM_WIN32_WINDOWS, 4, 90, false},
                          {VER_PLATFORM_WIN32_NT, 6, 0, false}};
    for (const Case& c : cases) {
        AppTestBed bed;
        SimVersion version;
        version.platformId = c.platform;
        version.major = c.major;
        version.minor = c.minor;
        bed.machine.SetVersion(version);
        bed.frontEnd.administrator = false;
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor));

        EXPECT_EQ(c.asked ? kVrNotAdministrator : kVrOk, bed.app.StartUp(L""));
        EXPECT_EQ(c.asked ? 1 : 0, bed.frontEnd.administratorQuestions);
        if (c.asked) {
            ASSERT_EQ(1u, bed.frontEnd.messages.size());
            EXPECT_EQ(bed.Text(629), bed.frontEnd.messages[0].message);
        }
    }
}

TEST(StartUp, ABadCommandLineIsReported) {
    AppTestBed bed;
    EXPECT_EQ(kVrBadCommandLine, bed.app.Run(L"-log"));  // no path after it
    ASSERT_EQ(1u, bed.frontEnd.messages.size());
    EXPECT_EQ(kVrMessageError, bed.frontEnd.messages[0].kind);
    EXPECT_EQ(bed.Text(197), bed.frontEnd.messages[0].message);
    EXPECT_TRUE(bed.frontEnd.dialogs.empty());
}

TEST(StartUp, HelpShowsTheUsageAndStops) {
    AppTestBed bed;
    bed.AttachPlayer(FirmwareChoice::kOld);
    EXPECT_EQ(kVrOk, bed.app.Run(L"/?"));
    ASSERT_EQ(1u, bed.frontEnd.messages.size());
    const RecordingFrontEnd::Message& shown = bed.frontEnd.messages[0];
    EXPECT_EQ(kVrMessageInformation, shown.kind);
    EXPECT_EQ(0u, shown.message.find(L"Usage: Caddis.exe [-autostart] [-autoclose]")) << shown.message;
    EXPECT_EQ(L"", shown.details);
    EXPECT_TRUE(bed.frontEnd.dialogs.empty());
}

// A copy of the program that has started up holds the lock; a second one is
// started on the same PC.
class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(secondHost.SetProgramImage(kCaddisResourceImage, kCaddisResourceImage_size)); }

    AppTestBed bed;
    SimHost secondHost{bed.machine, L"C:\\Caddis\\Caddis.exe"};
    RecordingFrontEnd secondFrontEnd;
};

TEST_F(SingleInstance, TheSecondCopyBringsTheFirstForwardSilently) {
    ASSERT_EQ(kVrOk, bed.app.StartUp(L""));
    secondFrontEnd.otherWindows = {kRecoveryWindow, kSearchWindow};
    CVrUpdaterApp second(secondHost, secondFrontEnd);
    EXPECT_EQ(kVrOk, second.Run(L""));
    EXPECT_EQ(std::vector<std::wstring>{kSearchWindow}, secondFrontEnd.broughtForward);
    EXPECT_TRUE(secondFrontEnd.messages.empty());
    EXPECT_TRUE(secondFrontEnd.dialogs.empty());
}

TEST_F(SingleInstance, TheSecondCopySaysSoWhenTheFirstHasNoWindow) {
    ASSERT_EQ(kVrOk, bed.app.StartUp(L""));
    CVrUpdaterApp second(secondHost, secondFrontEnd);
    EXPECT_EQ(kVrOtherCopyHidden, second.Run(L""));
    ASSERT_EQ(1u, secondFrontEnd.messages.size());
    EXPECT_EQ(bed.Text(220), secondFrontEnd.messages[0].message);
}

TEST_F(SingleInstance, TheLockGoesWithTheProgram) {
    {
        CVrUpdaterApp first(secondHost, secondFrontEnd);
        ASSERT_EQ(kVrOk, first.StartUp(L""));
    }
    EXPECT_EQ(kVrOk, bed.app.StartUp(L""));
    EXPECT_TRUE(bed.frontEnd.messages.empty());
}

}  // namespace
