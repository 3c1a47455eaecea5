// Quell.dll as Tavlo meets it under Wine: strings it fills and the caller
// frees, its run counter shared with another process, its system answers.
// The program is also that other process: with --run-count it only reports
// the counter in its exit code.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "usbsupport/Quell.h"

namespace {

// Runs this program again with --run-count while this process keeps the
// library loaded; the other process's view of the counter, or -1.
int RunCountInAnotherProcess() {
    wchar_t program[MAX_PATH];
    if (!::GetModuleFileNameW(nullptr, program, MAX_PATH)) return -1;
    std::wstring command = L"\"" + std::wstring(program) + L"\" --run-count";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(program, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

TEST(QuellDll, TheRunCounterIsSharedByTheProcessesThatLoadIt) {
    EXPECT_EQ(1u, QGetRunCount());
    EXPECT_EQ(2, RunCountInAnotherProcess());
    EXPECT_EQ(1u, QGetRunCount());  // the other process counted itself out
}

TEST(QuellDll, StringsCrossTheLibraryBoundaryBothWays) {
    // Wine's drives are no player's: the preset roots are emptied.
    CString roots(L"?:\\?:\\");
    EXPECT_EQ(0, QGetUSbDrivers(roots, CString(L"MP3 Audio Player"), CString(L"LUMO")));
    EXPECT_TRUE(roots.IsEmpty());
    roots = L"kept by the caller";  // a string the library emptied takes new text here
    EXPECT_EQ(L"kept by the caller", roots);
}

TEST(QuellDll, AnswersAboutTheSystemAsWindowsGivesThem) {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(::GetVersionExW(&version));
    const int expected = version.dwMajorVersion == 5 && version.dwMinorVersion == 1 ? 7 : 8;
    EXPECT_EQ(expected, QGetOSVer());
    const LANGID language = ::GetSystemDefaultLangID();
    EXPECT_EQ(language == 0x0804 ? 1u : language == 0x0404 ? 2u : 3u, QGetLangID());
    EXPECT_EQ(0, QCheckUsbDevice(0x0ED1, 0x7636));  // Wine shows no USB hubs
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--run-count") == 0) return static_cast<int>(QGetRunCount());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
