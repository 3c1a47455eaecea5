// The drives a search for the player meets besides the player.
#include <string>

#include "tests/player-nt/PlayerOnPc.h"

namespace {

HANDLE OpenVolume(SimHost& host, LPCWSTR name) {
    return host.CreateFile(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
}

}  // namespace

TEST(OtherDrives, AreTheKindsAPlayerSearchMustPassOver) {
    SimMachine machine;
    SimHost host(machine, L"C:\\Caddis\\Caddis.exe");
    std::shared_ptr<SimClosedVolume> floppy = SimAttachFloppy(machine);
    SimAttachPlayer(machine, L'C', std::make_shared<MemoryPlayer>(2048), DRIVE_FIXED);
    SimAttachPlayer(machine, L'D', SimMakeOtherDisk("Generic", "Flash Reader"));
    std::shared_ptr<SimClosedVolume> held = SimAttachClosedDrive(machine, L'F');

    EXPECT_EQ(0x2Du, host.GetLogicalDrives());  // A, C, D, F
    EXPECT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), host.GetDriveType(L"A:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_FIXED), host.GetDriveType(L"C:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), host.GetDriveType(L"D:\\"));
    EXPECT_EQ(static_cast<UINT>(DRIVE_REMOVABLE), host.GetDriveType(L"F:\\"));

    // The other disk opens and tells who it is, but serves nothing else and has no medium.
    HANDLE other = OpenVolume(host, L"\\\\.\\D:");
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    std::vector<BYTE> record = PassThroughRecord({0x12, 0, 0, 0, 0x60, 0}, kSimDataIn, 96);
    DWORD size = static_cast<DWORD>(record.size()), returned = 0;
    ASSERT_TRUE(host.DeviceIoControl(other, kSimScsiPassThrough, record.data(), size, record.data(), size, &returned,
                                     nullptr));
    EXPECT_EQ("Generic Flash Reader    ", std::string(reinterpret_cast<char*>(&record[kDataAt + 8]), 24));
    record = PassThroughRecord({0x28, 0, 0, 0, 0, 0, 0, 0, 1, 0}, kSimDataIn, 512);
    size = static_cast<DWORD>(record.size());
    ASSERT_TRUE(host.DeviceIoControl(other, kSimScsiPassThrough, record.data(), size, record.data(), size, &returned,
                                     nullptr));
    EXPECT_EQ(static_cast<BYTE>(SimScsiStatus::kCheckCondition), record[SimPassThroughField::kStatus]);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"D:\\SETTINGS.DAT"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_READY), host.GetLastError());

    // A volume another program holds cannot be opened; nobody has tried the floppy.
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenVolume(host, L"\\\\.\\F:"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), host.GetLastError());
    EXPECT_EQ(1u, held->Attempts());
    EXPECT_EQ(0u, floppy->Attempts());
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenVolume(host, L"\\\\.\\A:"));
    EXPECT_EQ(1u, floppy->Attempts());
}
