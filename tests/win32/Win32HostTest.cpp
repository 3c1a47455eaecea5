// The Windows host against the system's own services. Each test checks the
// answers that the programs rely on and that the simulated PC must give alike:
// return values, last errors and the sizes Windows reports back.
#include "platform/win32/Win32Host.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <cwchar>
#include <set>
#include <string>
#include <thread>

namespace {

std::wstring ProcessTag() { return std::to_wstring(::GetCurrentProcessId()); }

class Win32HostFiles : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, temp));
        folder_ = std::wstring(temp) + L"vr-host-" + ProcessTag();
        ASSERT_TRUE(::CreateDirectoryW(folder_.c_str(), nullptr));
        path_ = folder_ + L"\\data.bin";
    }
    void TearDown() override {
        ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path_.c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }

    Win32Host host_;
    std::wstring folder_;
    std::wstring path_;
};

TEST_F(Win32HostFiles, WritesSeeksReadsAndDeletes) {
    HANDLE file = host_.CreateFile(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    const char text[] = "0123456789";
    DWORD done = 0;
    ASSERT_TRUE(host_.WriteFile(file, text, 10, &done, nullptr));
    EXPECT_EQ(10u, done);

    EXPECT_EQ(4u, host_.SetFilePointer(file, 4, nullptr, FILE_BEGIN));
    char read[8] = {};
    ASSERT_TRUE(host_.ReadFile(file, read, sizeof read, &done, nullptr));
    EXPECT_EQ(6u, done);  // a read past the end stops at the end
    EXPECT_EQ(0, std::memcmp(read, "456789", 6));
    ASSERT_TRUE(host_.ReadFile(file, read, sizeof read, &done, nullptr));
    EXPECT_EQ(0u, done);  // at the end a read succeeds with nothing

    EXPECT_EQ(7u, host_.SetFilePointer(file, -3, nullptr, FILE_END));
    host_.SetLastError(0);
    EXPECT_EQ(INVALID_SET_FILE_POINTER, host_.SetFilePointer(file, -20, nullptr, FILE_CURRENT));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NEGATIVE_SEEK), host_.GetLastError());
    EXPECT_TRUE(host_.CloseHandle(file));

    EXPECT_EQ(INVALID_HANDLE_VALUE,
              host_.CreateFile(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), host_.GetLastError());

    ASSERT_TRUE(host_.SetFileAttributes(path_.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY),
              host_.GetFileAttributes(path_.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(host_.DeleteFile(path_.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), host_.GetLastError());

    ASSERT_TRUE(host_.SetFileAttributes(path_.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(host_.DeleteFile(path_.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host_.GetFileAttributes(path_.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), host_.GetLastError());
}

class Win32HostRegistry : public ::testing::Test {
protected:
    void SetUp() override { RemoveTestKey(); }
    void TearDown() override { RemoveTestKey(); }

    // Clean-up goes to the system directly, so that it does not depend on the
    // host under test; a key is deleted only once it has no subkeys.
    void RemoveTestKey() {
        for (const wchar_t* child : {L"\\Alpha", L"\\Beta", L""})
            ::RegDeleteKeyW(HKEY_CURRENT_USER, (keyPath_ + child).c_str());
    }

    Win32Host host_;
    const std::wstring keyPath_ = L"Software\\VrHostTest-" + ProcessTag();
};

TEST_F(Win32HostRegistry, CreatesSetsQueriesAndEnumerates) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, host_.RegCreateKeyEx(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr,
                                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                                  nullptr, &key, &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);

    const wchar_t folder[] = L"C:\\Work";
    ASSERT_EQ(ERROR_SUCCESS, host_.RegSetValueEx(key, L"Folder", 0, REG_SZ,
                                                 reinterpret_cast<const BYTE*>(folder),
                                                 sizeof folder));
    DWORD type = REG_NONE;
    wchar_t small[3] = {};
    DWORD size = sizeof small;
    EXPECT_EQ(ERROR_MORE_DATA, host_.RegQueryValueEx(key, L"Folder", nullptr, &type,
                                                     reinterpret_cast<BYTE*>(small), &size));
    EXPECT_EQ(sizeof folder, size);  // the size needed, terminator included

    wchar_t full[16] = {};
    size = sizeof full;
    ASSERT_EQ(ERROR_SUCCESS, host_.RegQueryValueEx(key, L"Folder", nullptr, &type,
                                                   reinterpret_cast<BYTE*>(full), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::wstring(folder), full);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              host_.RegQueryValueEx(key, L"Missing", nullptr, &type, nullptr, &size));

    for (const wchar_t* name : {L"Alpha", L"Beta"}) {
        HKEY child = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, host_.RegCreateKeyEx(key, name, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                      nullptr, &child, nullptr));
        host_.RegCloseKey(child);
    }
    std::set<std::wstring> names;
    for (DWORD index = 0; index < 2; ++index) {
        wchar_t name[32];
        DWORD length = 32;
        ASSERT_EQ(ERROR_SUCCESS, host_.RegEnumKeyEx(key, index, name, &length, nullptr, nullptr,
                                                    nullptr, nullptr));
        EXPECT_EQ(std::wcslen(name), length);  // the length without the terminator
        names.insert(name);
    }
    EXPECT_EQ((std::set<std::wstring>{L"Alpha", L"Beta"}), names);
    wchar_t name[32];
    DWORD length = 32;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              host_.RegEnumKeyEx(key, 2, name, &length, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, host_.RegCloseKey(key));

    HKEY opened = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              host_.RegOpenKeyEx(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_READ, &opened));
    host_.RegCloseKey(opened);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, host_.RegOpenKeyEx(HKEY_CURRENT_USER,
                                                       (keyPath_ + L"\\Gamma").c_str(), 0,
                                                       KEY_READ, &opened));
}

TEST(Win32Host, NamedMutexReportsAnEarlierHolder) {
    Win32Host host;
    const std::wstring name = L"VrHostTestLock" + ProcessTag();
    host.SetLastError(ERROR_INVALID_PARAMETER);
    HANDLE first = host.CreateMutex(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(0u, host.GetLastError());  // a new name clears the last error

    HANDLE second = host.CreateMutex(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), host.GetLastError());
    host.CloseHandle(second);
    host.CloseHandle(first);

    // Once the last handle is closed the name is free again.
    HANDLE again = host.CreateMutex(nullptr, FALSE, name.c_str());
    EXPECT_EQ(0u, host.GetLastError());
    host.CloseHandle(again);
}

TEST(Win32Host, EventSetByAnotherThreadEndsTheWait) {
    Win32Host host;
    HANDLE event = host.CreateEvent(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(nullptr, event);
    EXPECT_EQ(WAIT_TIMEOUT, host.WaitForSingleObject(event, 0));

    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        host.SetEvent(event);
    });
    EXPECT_EQ(WAIT_OBJECT_0, host.WaitForSingleObject(event, 10000));
    setter.join();
    EXPECT_EQ(WAIT_TIMEOUT, host.WaitForSingleObject(event, 0));  // the wait reset it
    host.CloseHandle(event);
}

TEST(Win32Host, FormatsTheSystemsMessages) {
    Win32Host host;
    const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    wchar_t text[256] = {};
    DWORD length = host.FormatMessage(flags, nullptr, ERROR_FILE_NOT_FOUND, 0, text, 256);
    EXPECT_GT(length, 0u);
    EXPECT_EQ(std::wcslen(text), length);

    wchar_t tiny[2];
    EXPECT_EQ(0u, host.FormatMessage(flags, nullptr, ERROR_FILE_NOT_FOUND, 0, tiny, 2));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), host.GetLastError());
}

TEST(Win32Host, FillsTheExtendedVersionRecord) {
    Win32Host host;
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(host.GetVersionEx(&info));
    EXPECT_GE(info.dwMajorVersion, 5u);
    EXPECT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), info.dwPlatformId);

    OSVERSIONINFOEXW unsized = {};
    EXPECT_FALSE(host.GetVersionEx(&unsized));
    EXPECT_EQ(0u, unsized.dwMajorVersion);
}

TEST(Win32Host, ModulesAndTheirEntryPoints) {
    Win32Host host;
    EXPECT_EQ(nullptr, host.LoadLibrary(L"vr-no-such-library.dll"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), host.GetLastError());

    HMODULE kernel = host.LoadLibrary(L"kernel32.dll");
    ASSERT_NE(nullptr, kernel);
    EXPECT_NE(nullptr, host.GetProcAddress(kernel, "GetTickCount"));
    EXPECT_EQ(nullptr, host.GetProcAddress(kernel, "VrNoSuchEntry"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), host.GetLastError());
    EXPECT_TRUE(host.FreeLibrary(kernel));
}

// The answers the simulated PC's interface lists copy: the end of a list,
// a record whose size is not its own, the size asked before the path.
TEST(Win32Host, DeviceInterfaceListsOfTheUsbHubs) {
    const GUID hubs = {0xF18A0E88, 0xC30C, 0x11D0, {0x88, 0x15, 0x00, 0xA0, 0xC9, 0x06, 0xBE, 0xD8}};
    Win32Host host;
    HDEVINFO set = host.SetupDiGetClassDevs(&hubs, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(INVALID_HANDLE_VALUE, set);
    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof data - 1;
    // Refused (Windows says ERROR_INVALID_USER_BUFFER, Wine ERROR_INVALID_PARAMETER).
    EXPECT_FALSE(host.SetupDiEnumDeviceInterfaces(set, nullptr, &hubs, 0, &data));
    data.cbSize = sizeof data;
    DWORD index = 0;
    for (; host.SetupDiEnumDeviceInterfaces(set, nullptr, &hubs, index, &data); ++index) {
        DWORD required = 0;
        EXPECT_FALSE(host.SetupDiGetDeviceInterfaceDetail(set, &data, nullptr, 0, &required, nullptr));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), host.GetLastError());
        EXPECT_GT(required, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W));
    }
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_ITEMS), host.GetLastError()) << index << " hubs";
    EXPECT_TRUE(host.SetupDiDestroyDeviceInfoList(set));
}

}  // namespace
