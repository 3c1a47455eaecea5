// Files, attributes and drives of the simulated PC, with Windows' error codes.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/sim/SimFolderDrive.h"
#include "platform/sim/SimHost.h"
#include "tests/platform/SimTestFolder.h"

namespace {

class SimFiles : public ::testing::Test {
protected:
    SimFiles() {
        drive = machine.MapFolder(L'C', DRIVE_FIXED, folder.Path());
        folder.Write("Caddis/usbmsc.sb", {1, 2, 3, 4, 5, 6, 7, 8});
    }

    HANDLE Open(LPCWSTR name, DWORD access, DWORD disposition, DWORD share = FILE_SHARE_READ,
                DWORD flags = FILE_ATTRIBUTE_NORMAL) {
        return host.CreateFile(name, access, share, nullptr, disposition, flags, nullptr);
    }
    DWORD Error() { return host.GetLastError(); }

    SimTestFolder folder;
    SimMachine machine;
    std::shared_ptr<SimFolderDrive> drive;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
};

}  // namespace

TEST_F(SimFiles, WritesReadsAndSeeksLikeWindows) {
    HANDLE file = Open(L"log.txt", GENERIC_READ | GENERIC_WRITE, CREATE_NEW);  // relative to the program folder
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(0u, Error());
    DWORD done = 0;
    ASSERT_TRUE(host.WriteFile(file, "abcdef", 6, &done, nullptr));
    EXPECT_EQ(6u, done);
    EXPECT_EQ(2u, host.SetFilePointer(file, -4, nullptr, FILE_CURRENT));
    char buffer[8] = {};
    ASSERT_TRUE(host.ReadFile(file, buffer, sizeof buffer, &done, nullptr));
    EXPECT_EQ(4u, done);
    EXPECT_STREQ("cdef", buffer);
    ASSERT_TRUE(host.ReadFile(file, buffer, sizeof buffer, &done, nullptr));  // at the end: success, nothing read
    EXPECT_EQ(0u, done);

    // Writing beyond the end fills the gap with zeros.
    EXPECT_EQ(8u, host.SetFilePointer(file, 2, nullptr, FILE_END));
    ASSERT_TRUE(host.WriteFile(file, "z", 1, &done, nullptr));
    EXPECT_EQ(std::string("abcdef\0\0z", 9), folder.Read("Caddis/log.txt"));

    EXPECT_EQ(INVALID_SET_FILE_POINTER, host.SetFilePointer(file, -1, nullptr, FILE_BEGIN));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NEGATIVE_SEEK), Error());
    EXPECT_EQ(INVALID_SET_FILE_POINTER, host.SetFilePointer(file, 0, nullptr, 7));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), Error());
    // 4 GiB - 1 is a valid position, told from a failure by the last error.
    LONG high = 0;
    host.SetLastError(ERROR_GEN_FAILURE);
    EXPECT_EQ(INVALID_SET_FILE_POINTER, host.SetFilePointer(file, -1, &high, FILE_BEGIN));
    EXPECT_EQ(0u, Error());
    high = 1;
    EXPECT_EQ(16u, host.SetFilePointer(file, 16, &high, FILE_BEGIN));
    EXPECT_EQ(1, high);
    EXPECT_EQ(INVALID_SET_FILE_POINTER, host.SetFilePointer(file, 0, nullptr, FILE_CURRENT));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), Error());  // no longer fits in 32 bits

    ASSERT_TRUE(host.CloseHandle(file));
    EXPECT_FALSE(host.CloseHandle(file));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), Error());
    EXPECT_FALSE(host.ReadFile(file, buffer, 1, &done, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), Error());
}

// Whatever the process's locale (the tests keep the C library's "C"), a name
// outside ASCII reaches the host as UTF-8 and is found again in any case.
TEST_F(SimFiles, NamesOutsideAsciiAreTheHostsUtf8Names) {
    HANDLE file = Open(L"C:\\Caddis\\\u00DCbertragung \u65E5\u672C.log", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD done = 0;
    ASSERT_TRUE(host.WriteFile(file, "ok", 2, &done, nullptr));
    host.CloseHandle(file);
    const auto name = std::filesystem::u8path("Caddis/\xC3\x9C" "bertragung \xE6\x97\xA5\xE6\x9C\xAC.log");
    std::string content;
    std::ifstream(folder.Path() / name) >> content;
    EXPECT_EQ("ok", content);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"C:\\Caddis\\\u00FCBERTRAGUNG \u65E5\u672C.LOG"));
}

TEST_F(SimFiles, DispositionsAndMissingPaths) {
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"C:\\Caddis\\USBMSC.SB", GENERIC_READ, CREATE_NEW));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), Error());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"C:\\Caddis\\absent.sb", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), Error());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"C:\\Absent\\usbmsc.sb", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), Error());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"C:\\Caddis\\us?msc.sb", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_NAME), Error());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"C:\\Caddis", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"C:\\Caddis\\usbmsc.sb", GENERIC_READ, TRUNCATE_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), Error());

    // Names are found whatever their case and separators; replacing an
    // existing file says so and empties it.
    HANDLE file = Open(L"c:/CADDIS/./x/../Usbmsc.SB", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), Error());
    host.CloseHandle(file);
    EXPECT_EQ("", folder.Read("Caddis/usbmsc.sb"));
    file = Open(L"C:\\Caddis\\new.sb", GENERIC_WRITE, OPEN_ALWAYS);
    EXPECT_EQ(0u, Error());
    host.CloseHandle(file);
}

TEST_F(SimFiles, AccessRightsAndSharing) {
    HANDLE reader = Open(L"C:\\Caddis\\usbmsc.sb", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    DWORD done = 0;
    EXPECT_FALSE(host.WriteFile(reader, "x", 1, &done, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());

    // Another program may read beside it, but not write, and not delete it.
    auto other = std::make_unique<SimHost>(machine, L"C:\\Other\\Other.exe");
    HANDLE second = other->CreateFile(L"C:\\Caddis\\usbmsc.sb", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, second);
    EXPECT_EQ(INVALID_HANDLE_VALUE, other->CreateFile(L"C:\\Caddis\\usbmsc.sb", GENERIC_WRITE, FILE_SHARE_READ |
                                                     FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), other->GetLastError());
    EXPECT_FALSE(other->DeleteFile(L"C:\\Caddis\\usbmsc.sb"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), other->GetLastError());

    // Once every handle is closed (the other program by ending), it can go.
    host.CloseHandle(reader);
    EXPECT_FALSE(host.DeleteFile(L"C:\\Caddis\\usbmsc.sb"));
    other.reset();
    EXPECT_TRUE(host.DeleteFile(L"C:\\Caddis\\usbmsc.sb"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"C:\\Caddis\\usbmsc.sb"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), Error());
}

TEST_F(SimFiles, AttributesAreKeptBesideTheFolder) {
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, host.GetFileAttributes(L"C:\\Caddis"));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, host.GetFileAttributes(L"C:\\"));
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE, host.GetFileAttributes(L"C:\\Caddis\\usbmsc.sb"));
    HANDLE file = Open(L"C:\\Caddis\\hidden.dat", GENERIC_WRITE, CREATE_NEW, 0, FILE_ATTRIBUTE_HIDDEN);
    host.CloseHandle(file);
    EXPECT_EQ(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, host.GetFileAttributes(L"C:\\Caddis\\hidden.dat"));
    // A hidden file is overwritten only by a program that says it is hidden.
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"C:\\Caddis\\hidden.dat", GENERIC_WRITE, CREATE_ALWAYS));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());

    ASSERT_TRUE(host.SetFileAttributes(L"C:\\Caddis\\usbmsc.sb", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY, host.GetFileAttributes(L"C:\\Caddis\\usbmsc.sb"));
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"C:\\Caddis\\usbmsc.sb", GENERIC_WRITE, OPEN_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());
    EXPECT_FALSE(host.DeleteFile(L"C:\\Caddis\\usbmsc.sb"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());
    ASSERT_TRUE(host.SetFileAttributes(L"C:\\Caddis\\usbmsc.sb", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(FILE_ATTRIBUTE_NORMAL, host.GetFileAttributes(L"C:\\Caddis\\usbmsc.sb"));
    EXPECT_TRUE(host.DeleteFile(L"C:\\Caddis\\usbmsc.sb"));

    EXPECT_FALSE(host.SetFileAttributes(L"C:\\Nowhere\\file", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), Error());
    EXPECT_FALSE(host.DeleteFile(L"C:\\Caddis"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());
}

TEST_F(SimFiles, DrivesWithoutMediumOrWithoutLetter) {
    machine.MapFolder(L'E', DRIVE_REMOVABLE, folder.Path() / "no-medium");
    EXPECT_EQ((1u << 2) | (1u << 4), host.GetLogicalDrives());
    EXPECT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), host.GetDriveType(L"E:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), host.GetDriveType(nullptr));
    EXPECT_EQ(static_cast<UINT>(DRIVE_NO_ROOT_DIR), host.GetDriveType(L"F:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_NO_ROOT_DIR), host.GetDriveType(L"C:\\Caddis\\"));

    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"E:\\SETTINGS.DAT", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_READY), Error());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_READY), Error());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"F:\\SETTINGS.DAT", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), Error());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open(L"\\\\.\\PhysicalDrive0", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), Error());

    // The medium goes in; then it is write-protected.
    std::filesystem::create_directory(folder.Path() / "no-medium");
    auto medium = machine.MapFolder(L'E', DRIVE_REMOVABLE, folder.Path() / "no-medium");
    HANDLE file = Open(L"E:\\SETTINGS.DAT", GENERIC_WRITE, CREATE_NEW);
    EXPECT_NE(INVALID_HANDLE_VALUE, file);
    host.CloseHandle(file);
    medium->SetWriteProtected(true);
    EXPECT_FALSE(host.DeleteFile(L"E:\\settings.dat"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_WRITE_PROTECT), Error());
    machine.UnmapDrive(L'E');
    EXPECT_EQ(1u << 2, host.GetLogicalDrives());

    wchar_t current[32];
    EXPECT_EQ(9u, host.GetCurrentDirectory(32, current));
    EXPECT_STREQ(L"C:\\Caddis", current);
    EXPECT_EQ(10u, host.GetCurrentDirectory(9, current));  // the room needed
}

TEST_F(SimFiles, DevicesAreReachedThroughTheirNames) {
    struct Volume final : SimDevice, SimFileObject {
        DWORD Open(const SimOpenRequest&, std::shared_ptr<SimFileObject>& file) override {
            file = std::shared_ptr<SimFileObject>(std::shared_ptr<SimFileObject>(), this);
            return ERROR_SUCCESS;
        }
        DWORD ReadAt(uint64_t offset, void* buffer, DWORD size, DWORD& done) override {
            std::memset(buffer, static_cast<int>(offset / 512), size);
            done = size;
            return ERROR_SUCCESS;
        }
        DWORD WriteAt(uint64_t, const void*, DWORD, DWORD&) override { return ERROR_WRITE_PROTECT; }
        uint64_t Size() override { return 1 << 20; }
    } volume;
    machine.RegisterDevice(L"E:", std::shared_ptr<SimDevice>(std::shared_ptr<SimDevice>(), &volume));
    HANDLE device = Open(L"\\\\.\\e:", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, device);
    EXPECT_EQ(1024u, host.SetFilePointer(device, 1024, nullptr, FILE_BEGIN));
    unsigned char sector[512] = {};
    DWORD done = 0;
    ASSERT_TRUE(host.ReadFile(device, sector, sizeof sector, &done, nullptr));
    EXPECT_EQ(2, sector[511]);
    EXPECT_FALSE(host.WriteFile(device, sector, sizeof sector, &done, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_WRITE_PROTECT), Error());
    host.CloseHandle(device);
}

TEST_F(SimFiles, TheShellMovesAFileAndLeavesBothWhenTheDestinationCannotBeMade) {
    folder.Write("speech.wav", {9, 8, 7});
    ASSERT_EQ(0, host.SHFileOperation(nullptr, FO_MOVE, L"C:\\speech.wav\0", L"C:\\Caddis\\speech.mp3\0", 0x280,
                                      nullptr));
    EXPECT_EQ(std::string("\x09\x08\x07", 3), folder.Read("Caddis/speech.mp3"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"C:\\speech.wav"));

    EXPECT_NE(0, host.SHFileOperation(nullptr, FO_MOVE, L"C:\\Caddis\\speech.mp3\0", L"C:\\missing\\speech.mp3\0",
                                      0x280, nullptr));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"C:\\Caddis\\speech.mp3"));
}
