#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimMachine.h"
#include "platform/TextCodec.h"
#include "tests/app/AppTestBed.h"
#include "tests/support/TestHosts.h"
#include "updater/app/VrLogFile.h"
#include "updater/base/VrResult.h"

namespace {

std::string ReadWhole(Host& host, const wchar_t* path) {
    HANDLE file = host.CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, file);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[256];
    DWORD read = 0;
    while (host.ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
    host.CloseHandle(file);
    return content;
}

TEST(LogFile, EntriesAreDatedAndAppendedAcrossOpens) {
    SimulatedCaddis pc(0x0409);
    SYSTEMTIME start{};
    start.wYear = 2004;
    start.wMonth = 3;
    start.wDay = 7;
    start.wHour = 9;
    start.wMinute = 5;
    start.wSecond = 3;
    pc.machine().Clock().SetStart(start);
    const wchar_t* path = L"C:\\Caddis\\download.log";
    {
        CVrLogFile log(pc.host(), path);
        ASSERT_EQ(kVrOk, log.GetLastResult());
        EXPECT_EQ("CVrBase", log.GetObjectName());
        EXPECT_EQ(kVrOk, log.Write(L"Download started."));
    }
    pc.machine().Clock().Advance(61000);
    {
        CVrLogFile log(pc.host(), path);
        EXPECT_EQ(kVrOk, log.Write(L"Übertragung beendet.\r\n下载完成"));
    }
#ifdef _WIN32
    const std::string first = "03/07/04 09:05:03";
    const std::string second = "03/07/04 09:06:04";
#else
    const std::string first = "Sun Mar  7 09:05:03 2004";
    const std::string second = "Sun Mar  7 09:06:04 2004";
#endif
    EXPECT_EQ(first + ": Download started.\r\n" + second +
                  ": \xC3\x9C" "bertragung beendet.\r\n\xE4\xB8\x8B\xE8\xBD\xBD\xE5\xAE\x8C\xE6\x88\x90\r\n",
              ReadWhole(pc.host(), path));
}

TEST(LogFile, ALogThatCannotBeOpenedSkipsEveryWrite) {
    SimulatedCaddis pc(0x0409, {});
    const wchar_t* path = L"C:\\no such folder\\download.log";
    CVrLogFile log(pc.host(), path);
    EXPECT_EQ(kVrFileOpenFailed, log.GetLastResult());
    EXPECT_NE(0u, log.GetSystemError());
    EXPECT_EQ(kVrFileOpenFailed, log.Write(L"lost"));
    EXPECT_EQ(kVrFileOpenFailed, log.Write(L"lost again"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, pc.host().GetFileAttributes(path));
}

// A log the program cannot write is named once, in a warning, and the update
// goes on without it.
class UnusableLog : public ::testing::Test {
protected:
    void SetUp() override { bed.AttachPlayer(FirmwareChoice::kOld); }

    void ExpectOneWarningAndAnUpdate(const std::wstring& path) {
        EXPECT_EQ(kVrOk, bed.app.Run(L"-silent -log " + path));
        ASSERT_EQ(1u, bed.frontEnd.messages.size());
        const RecordingFrontEnd::Message& shown = bed.frontEnd.messages[0];
        EXPECT_EQ(kVrMessageWarning, shown.kind);
        EXPECT_NE(std::wstring::npos, shown.message.find(path)) << Utf8FromWide(shown.message);
        EXPECT_FALSE(shown.details.empty());  // the system's reason
        for (uint8_t tag : {0x50, 0x01, 0x00, 0x02}) {
            EXPECT_EQ(bed.Shipped(tag).componentVersion, bed.SystemDrive(tag)->componentVersion) << int(tag);
        }
    }

    AppTestBed bed;
};

TEST_F(UnusableLog, AMissingFolder) { ExpectOneWarningAndAnUpdate(L"c:\\absent\\run.log"); }

TEST_F(UnusableLog, AFolderInItsPlace) { ExpectOneWarningAndAnUpdate(L"c:\\caddis"); }

TEST_F(UnusableLog, ALogWhoseFolderGoesDuringTheRun) {
    const std::filesystem::path logs = bed.folder.Path() / "logs";
    std::filesystem::create_directories(logs);
    bed.frontEnd.onPump = [&](int pumps) {
        if (pumps == 3) std::filesystem::remove_all(logs);
    };
    ExpectOneWarningAndAnUpdate(L"c:\\logs\\run.log");
}

}  // namespace
