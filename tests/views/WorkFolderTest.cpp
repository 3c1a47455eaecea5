// The work folder: the tree's labels as a path, and its registry value.
#include "manager/app/WorkFolder.h"

#include <gtest/gtest.h>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"

namespace {

class WorkFolder : public ::testing::Test {
protected:
    void SetValue(DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, host.RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Merel", 0, nullptr, 0,
                                                     KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, host.RegSetValueEx(key, L"WorkFolder", 0, type, static_cast<const BYTE*>(data), size));
        host.RegCloseKey(key);
    }

    SimMachine machine;
    SimHost host{machine, L"C:\\Program Files\\Tavlo\\Tavlo.exe"};
};

TEST_F(WorkFolder, TheTreesLabelsMakeThePathTopLevelFirst) {
    EXPECT_EQ(L"My Computer\\Local Disk (C:)\\Music",
              JoinWorkFolder({L"Music", L"Local Disk (C:)", L"My Computer"}));
    EXPECT_EQ(L"My Documents", JoinWorkFolder({L"My Documents"}));
    EXPECT_EQ(L"", JoinWorkFolder({}));
    EXPECT_EQ((std::vector<std::wstring>{L"My Computer", L"Local Disk (C:)", L"Music"}),
              SplitWorkFolder(L"My Computer\\Local Disk (C:)\\\\Music\\"));
    EXPECT_TRUE(SplitWorkFolder(L"").empty());
}

TEST_F(WorkFolder, StoredThenReadAndNothingStoredForNoSelection) {
    EXPECT_EQ(L"", ReadWorkFolder(host));
    StoreWorkFolder(host, L"");
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, host.RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Merel", 0, KEY_READ, &key));

    StoreWorkFolder(host, L"My Computer\\Local Disk (C:)\\Musik\u00e4");
    EXPECT_EQ(L"My Computer\\Local Disk (C:)\\Musik\u00e4", ReadWorkFolder(host));
    StoreWorkFolder(host, L"My Documents");
    EXPECT_EQ(L"My Documents", ReadWorkFolder(host));
}

TEST_F(WorkFolder, AValueIsReadOnlyWithinItsBuffer) {
    // 100 characters without a terminating zero fill the buffer exactly.
    const std::wstring full(100, L'x');
    SetValue(REG_SZ, full.data(), 100 * sizeof(WCHAR));
    EXPECT_EQ(full, ReadWorkFolder(host));

    const std::wstring longer(120, L'y');
    SetValue(REG_SZ, longer.c_str(), static_cast<DWORD>((longer.size() + 1) * sizeof(WCHAR)));
    EXPECT_EQ(L"", ReadWorkFolder(host));

    const DWORD number = 0x00410041;
    SetValue(REG_DWORD, &number, sizeof number);
    EXPECT_EQ(L"", ReadWorkFolder(host));
}

}  // namespace
