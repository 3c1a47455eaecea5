// The simulated PC's registry through the host calls, as two programs see it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/sim/SimHost.h"

namespace {

class SimRegistryCalls : public ::testing::Test {
protected:
    LONG SetText(HKEY key, LPCWSTR name, const std::wstring& text) {
        return host.RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    SimMachine machine;
    SimHost host{machine, L"C:\\Tavlo\\Tavlo.exe"};
};

}  // namespace

TEST_F(SimRegistryCalls, KeysAndValuesAreSharedAndCaseInsensitive) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, host.RegCreateKeyEx(HKEY_CURRENT_USER, L"Software\\Vok\\Tavlo", 0, nullptr,
                                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                                 &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    ASSERT_EQ(ERROR_SUCCESS, SetText(key, L"WorkFolder", L"D:\\Music"));
    DWORD answer = 7;
    ASSERT_EQ(ERROR_SUCCESS, host.RegSetValueEx(key, L"Count", 0, REG_DWORD, reinterpret_cast<BYTE*>(&answer), 4));
    EXPECT_EQ(ERROR_SUCCESS, host.RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, host.RegCloseKey(key));

    // A second program opens the same key by another spelling.
    SimHost other(machine, L"C:\\Other\\Other.exe");
    ASSERT_EQ(ERROR_SUCCESS, other.RegCreateKeyEx(HKEY_CURRENT_USER, L"SOFTWARE\\vok\\TAVLO", 0, nullptr, 0,
                                                  KEY_READ, nullptr, &key, &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
    DWORD type = 0, size = 0;
    ASSERT_EQ(ERROR_SUCCESS, other.RegQueryValueEx(key, L"workfolder", nullptr, &type, nullptr, &size));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(9 * sizeof(wchar_t), size);
    wchar_t text[4];
    size = sizeof text;
    EXPECT_EQ(ERROR_MORE_DATA, other.RegQueryValueEx(key, L"WorkFolder", nullptr, &type, reinterpret_cast<BYTE*>(text), &size));
    EXPECT_EQ(9 * sizeof(wchar_t), size);
    wchar_t full[16];
    size = sizeof full;
    ASSERT_EQ(ERROR_SUCCESS, other.RegQueryValueEx(key, L"WorkFolder", nullptr, &type, reinterpret_cast<BYTE*>(full), &size));
    EXPECT_STREQ(L"D:\\Music", full);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, other.RegQueryValueEx(key, L"Missing", nullptr, &type, nullptr, &size));
    // Opened for reading only.
    EXPECT_EQ(ERROR_ACCESS_DENIED, other.RegSetValueEx(key, L"Count", 0, REG_DWORD, reinterpret_cast<BYTE*>(&answer), 4));
    other.RegCloseKey(key);

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, host.RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vok", 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_ACCESS_DENIED, host.RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Vok", 0, nullptr, 0, KEY_ALL_ACCESS,
                                                       nullptr, &key, &disposition));
    EXPECT_EQ(ERROR_INVALID_HANDLE, host.RegOpenKeyEx(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), L"x",
                                                      0, KEY_READ, &key));
}

TEST_F(SimRegistryCalls, SubkeysEnumerateInNameOrder) {
    HKEY parent = nullptr, child = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, host.RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Enum\\USB", 0,
                                                 nullptr, 0, KEY_ALL_ACCESS, nullptr, &parent, nullptr));
    for (LPCWSTR name : {L"Vid_1234&Pid_5678", L"ROOT_HUB", L"Vid_0001&Pid_0002"}) {
        ASSERT_EQ(ERROR_SUCCESS, host.RegCreateKeyEx(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr));
        host.RegCloseKey(child);
    }
    std::wstring names;
    wchar_t name[64];
    DWORD index = 0, size = 64;
    while (host.RegEnumKeyEx(parent, index, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        EXPECT_EQ(std::wcslen(name), size);
        names += name;
        names += L";";
        size = 64;
        ++index;
    }
    EXPECT_EQ(L"ROOT_HUB;Vid_0001&Pid_0002;Vid_1234&Pid_5678;", names);
    size = 64;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, host.RegEnumKeyEx(parent, 3, name, &size, nullptr, nullptr, nullptr, nullptr));
    size = 8;  // "ROOT_HUB" needs 9 with its terminator
    EXPECT_EQ(ERROR_MORE_DATA, host.RegEnumKeyEx(parent, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
}
