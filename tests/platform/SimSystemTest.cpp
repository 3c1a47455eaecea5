// The simulated PC's version record, message texts and per-thread errors.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <thread>

#include "platform/sim/SimHost.h"

namespace {

class SimSystem : public ::testing::Test {
protected:
    std::wstring Message(DWORD code, DWORD language, DWORD size = 512) {
        std::wstring text(size, L'#');
        DWORD length = host.FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                          language, &text[0], size);
        return length ? text.substr(0, length) : L"error " + std::to_wstring(host.GetLastError());
    }

    SimMachine machine;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
};

}  // namespace

TEST_F(SimSystem, VersionRecordsAreCheckedByTheirSize) {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(host.GetVersionEx(&info));
    EXPECT_EQ(5u, info.dwMajorVersion);
    EXPECT_EQ(1u, info.dwMinorVersion);
    EXPECT_EQ(2600u, info.dwBuildNumber);
    EXPECT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), info.dwPlatformId);
    EXPECT_EQ(2, info.wServicePackMajor);
    EXPECT_STREQ(L"Service Pack 2", info.szCSDVersion);
    info.dwOSVersionInfoSize = sizeof info - 1;
    EXPECT_FALSE(host.GetVersionEx(&info));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), host.GetLastError());

    // Windows 98 knows only the plain record.
    SimVersion windows98;
    windows98.platformId = VER_PLATFORM_WIN32_WINDOWS;
    windows98.major = 4;
    windows98.minor = 10;
    windows98.build = 2222;
    windows98.servicePack = L" A ";
    machine.SetVersion(windows98);
    info.dwOSVersionInfoSize = sizeof info;
    EXPECT_FALSE(host.GetVersionEx(&info));
    info.dwOSVersionInfoSize = offsetof(OSVERSIONINFOEXW, wServicePackMajor);
    ASSERT_TRUE(host.GetVersionEx(&info));
    EXPECT_EQ(10u, info.dwMinorVersion);
    EXPECT_EQ(0x040A08AEu, info.dwBuildNumber);
}

TEST_F(SimSystem, SystemMessagesAreEnglishAndEndWithALineBreak) {
    EXPECT_EQ(L"The system cannot find the file specified.\r\n", Message(ERROR_FILE_NOT_FOUND, 0));
    EXPECT_EQ(Message(ERROR_FILE_NOT_FOUND, 0), Message(ERROR_FILE_NOT_FOUND, 0x0409));
    EXPECT_EQ(Message(ERROR_FILE_NOT_FOUND, 0), Message(ERROR_FILE_NOT_FOUND, 0x0809));
    EXPECT_EQ(L"error 1815", Message(ERROR_FILE_NOT_FOUND, 0x0407));
    EXPECT_EQ(L"error 317", Message(0x2FFFF, 0));
    EXPECT_EQ(L"error 122", Message(ERROR_FILE_NOT_FOUND, 0, 44));  // the text and its terminator need 45
    EXPECT_EQ(44u, Message(ERROR_FILE_NOT_FOUND, 0, 45).size());

    // Every code the programs report has its text.
    for (DWORD code : {0, 2, 3, 5, 6, 8, 15, 19, 21, 23, 31, 32, 38, 50, 80, 87, 121, 122, 123, 126, 127, 183, 193,
                       995, 997, 1117, 1167, 1460, 1812, 1813, 1814, 1815}) {
        std::wstring text = Message(code, 0);
        ASSERT_GE(text.size(), 4u) << code;
        EXPECT_EQ(L".\r\n", text.substr(text.size() - 3)) << code;
    }
    // A message with inserts is only given with them ignored.
    wchar_t buffer[64];
    EXPECT_EQ(0u, host.FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_BAD_EXE_FORMAT, 0, buffer, 64));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), host.GetLastError());
}

TEST_F(SimSystem, LastErrorsBelongToThreadsOfOneProcess) {
    SimHost other(machine, L"C:\\Other\\Other.exe");
    host.SetLastError(ERROR_ACCESS_DENIED);
    other.SetLastError(ERROR_NOT_READY);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), host.GetLastError());
    DWORD seenOnWorker = 99;
    std::thread worker([&] {
        seenOnWorker = host.GetLastError();
        host.SetLastError(ERROR_GEN_FAILURE);
    });
    worker.join();
    EXPECT_EQ(0u, seenOnWorker);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), host.GetLastError());

    machine.SetLanguages(0x0407, 0x0409);
    EXPECT_EQ(0x0407, host.GetUserDefaultLangID());
    EXPECT_EQ(0x0409, other.GetSystemDefaultLangID());
}
