// The Windows version and system language as Quell reports them.
#include "usbsupport/QuellSystem.h"

#include <gtest/gtest.h>

#include "platform/sim/SimHost.h"
#include "usbsupport/QuellTexts.h"

namespace {

struct VersionRow {
    DWORD platform;
    DWORD major;
    DWORD minor;
    int code;
};

TEST(QuellSystem, EveryRowOfTheVersionTable) {
    const VersionRow rows[] = {
        {VER_PLATFORM_WIN32s, 3, 10, 0},        {VER_PLATFORM_WIN32_WINDOWS, 3, 95, 2},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 3},  {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 5},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 4}, {VER_PLATFORM_WIN32_WINDOWS, 5, 0, 4},
        {VER_PLATFORM_WIN32_NT, 5, 0, 6},       {VER_PLATFORM_WIN32_NT, 5, 1, 7},
        {VER_PLATFORM_WIN32_NT, 4, 0, 8},       {VER_PLATFORM_WIN32_NT, 5, 2, 8},
        {VER_PLATFORM_WIN32_NT, 6, 1, 8},       {3, 5, 1, -1},
    };
    for (const VersionRow& row : rows) {
        SimMachine machine;
        SimVersion version;
        version.platformId = row.platform;
        version.major = row.major;
        version.minor = row.minor;
        machine.SetVersion(version);
        SimHost host(machine, L"C:\\Tavlo.exe");
        EXPECT_EQ(row.code, WindowsVersionCode(host)) << row.platform << " " << row.major << "." << row.minor;
    }
    // The releases as the simulated PC runs them; 9x refuses the extended record.
    const std::pair<SimWindows, int> releases[] = {
        {SimWindows::k95, 3}, {SimWindows::k98, 4}, {SimWindows::kMe, 5}, {SimWindows::k2000, 6}, {SimWindows::kXp, 7}};
    for (const auto& release : releases) {
        SimMachine machine;
        machine.SetWindows(release.first);
        SimHost host(machine, L"C:\\Tavlo.exe");
        EXPECT_EQ(release.second, WindowsVersionCode(host));
    }
}

// A system that answers neither version record.
class NoVersionHost final : public SimHost {
public:
    using SimHost::SimHost;
    BOOL GetVersionEx(OSVERSIONINFOEXW*) override {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
};

TEST(QuellSystem, NoVersionAtAllIsCodeZero) {
    SimMachine machine;
    NoVersionHost host(machine, L"C:\\Tavlo.exe");
    EXPECT_EQ(0, WindowsVersionCode(host));
}

TEST(QuellSystem, LanguageCodesAndTheTextsTheyChoose) {
    const std::pair<LANGID, unsigned> rows[] = {{0x0804, kQuellChinesePrc},    {0x0404, kQuellChineseTaiwan},
                                                {0x0411, kQuellOtherLanguage}, {0x0C04, kQuellOtherLanguage},
                                                {0x0409, kQuellOtherLanguage}, {0, kQuellNoLanguage}};
    for (const auto& row : rows) {
        SimMachine machine;
        machine.SetLanguages(0x0409, row.first);  // the system's language counts, not the user's
        SimHost host(machine, L"C:\\Tavlo.exe");
        EXPECT_EQ(row.second, SystemLanguageCode(host)) << std::hex << row.first;
    }
    EXPECT_STREQ(L"正在查找MP3播放器 ... ", TextsFor(kQuellChinesePrc).searching);
    EXPECT_STREQ(L"Find MP3 Player ... ", TextsFor(kQuellChineseTaiwan).searching);
    EXPECT_STREQ(L"HRgn Error!", TextsFor(kQuellNoLanguage).noRegion);
}

}  // namespace
