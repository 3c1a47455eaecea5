// The volume handle: locking, unlocking, dismounting, sectors at byte
// offsets of the partition, and the player going away.
#include <cstring>

#include "platform/sim/player/SimLittleEndian.h"
#include "tests/player-nt/PlayerOnPc.h"

namespace {

const DWORD kPartitionStart = 63;  // where SimFatFormat puts the volume

class Volume : public PlayerOnPc {
protected:
    HANDLE OpenFile(LPCWSTR name, DWORD access = GENERIC_READ) {
        return host.CreateFile(name, access, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    bool Read(HANDLE handle, LONG offset, std::vector<BYTE>& bytes, DWORD& done) {
        host.SetFilePointer(handle, offset, nullptr, FILE_BEGIN);
        return host.ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) != FALSE;
    }
    bool Write(HANDLE handle, LONG offset, const std::vector<BYTE>& bytes) {
        DWORD done = 0;
        host.SetFilePointer(handle, offset, nullptr, FILE_BEGIN);
        return host.WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) != FALSE;
    }
};

}  // namespace

TEST_F(Volume, OnlyTheSoleHandleLocksAndALockShutsEveryoneElseOut) {
    Format();
    PutFile(L"SETTINGS.DAT", {1, 2, 3});
    HANDLE first = OpenVolume(), second = OpenVolume();
    ASSERT_NE(INVALID_HANDLE_VALUE, second);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Control(first, kSimLockVolume));
    host.CloseHandle(second);

    // A file open on the drive holds the lock off as well.
    HANDLE file = OpenFile(L"E:\\SETTINGS.DAT");
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Control(first, kSimLockVolume));
    host.CloseHandle(file);

    ASSERT_EQ(0u, Control(first, kSimLockVolume));
    EXPECT_TRUE(volume->Locked());
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Control(first, kSimLockVolume));  // once is enough
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenVolume());
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\SETTINGS.DAT"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());
    // An open without data access reaches the device, not the file system.
    HANDLE query = OpenVolume(0);
    EXPECT_NE(INVALID_HANDLE_VALUE, query);
    host.CloseHandle(query);

    EXPECT_EQ(0u, Control(first, kSimUnlockVolume));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_LOCKED), Control(first, kSimUnlockVolume));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\SETTINGS.DAT"));

    // Closing the locking handle lets go of the lock.
    ASSERT_EQ(0u, Control(first, kSimLockVolume));
    host.CloseHandle(first);
    EXPECT_FALSE(volume->Locked());

    SimVolumeRequests requests = volume->Requests();
    EXPECT_EQ(5u, requests.lockAttempts);
    EXPECT_EQ(2u, requests.locks);
    EXPECT_EQ(2u, requests.unlockAttempts);
    EXPECT_EQ(3u, requests.opens);
    EXPECT_EQ(3u, requests.closes);
}

TEST_F(Volume, AVolumeThatWillNotLockRefusesEveryAttempt) {
    volume->RefuseLock(true);
    HANDLE handle = OpenVolume();
    for (int attempt = 0; attempt < 10; ++attempt) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Control(handle, kSimLockVolume));
    }
    EXPECT_EQ(10u, volume->Requests().lockAttempts);
    EXPECT_EQ(0u, volume->Requests().locks);
    volume->RefuseLock(false);
    EXPECT_EQ(0u, Control(handle, kSimLockVolume));
}

TEST_F(Volume, DismountLeavesTheFilesOpenOnTheDriveDead) {
    Format();
    PutFile(L"SETTINGS.DAT", {1, 2, 3});
    HANDLE handle = OpenVolume();
    HANDLE file = OpenFile(L"E:\\SETTINGS.DAT");
    ASSERT_EQ(0u, Control(handle, kSimDismountVolume));
    BYTE buffer[3];
    DWORD done = 0;
    EXPECT_FALSE(host.ReadFile(file, buffer, 3, &done, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_READY), Error());
    EXPECT_EQ(0u, Control(handle, kSimLockVolume));  // the dead file no longer counts
    EXPECT_EQ(1u, volume->Requests().dismounts);
}

TEST_F(Volume, SectorsAreAddressedFromThePartitionStart) {
    Format();
    HANDLE handle = OpenVolume();
    std::vector<BYTE> sector(512);
    DWORD done = 0;
    ASSERT_TRUE(Read(handle, 0, sector, done));
    EXPECT_EQ(512u, done);
    EXPECT_EQ(player->Sector(kPartitionStart), sector);  // the boot sector
    EXPECT_EQ(0xEB, sector[0]);

    std::vector<BYTE> two = Pattern(1024, 5);
    ASSERT_TRUE(Write(handle, 512 * 100, two));
    EXPECT_EQ(std::vector<BYTE>(two.begin(), two.begin() + 512), player->Sector(kPartitionStart + 100));
    EXPECT_EQ(std::vector<BYTE>(two.begin() + 512, two.end()), player->Sector(kPartitionStart + 101));

    // Raw volume I/O goes in whole sectors.
    EXPECT_FALSE(Read(handle, 100, sector, done));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), Error());
    std::vector<BYTE> odd(100);
    EXPECT_FALSE(Read(handle, 0, odd, done));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), Error());

    // The volume ends where the partition ends: reads come back short, writes are refused.
    LONG high = 0;
    DWORD size = host.SetFilePointer(handle, 0, &high, FILE_END);
    EXPECT_EQ((kMediumSectors - kPartitionStart) * 512, size);
    std::vector<BYTE> tail(1024);
    ASSERT_TRUE(Read(handle, static_cast<LONG>(size - 512), tail, done));
    EXPECT_EQ(512u, done);
    ASSERT_TRUE(Read(handle, static_cast<LONG>(size), tail, done));
    EXPECT_EQ(0u, done);
    EXPECT_FALSE(Write(handle, static_cast<LONG>(size - 512), two));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), Error());
    EXPECT_EQ(std::vector<BYTE>(512, 0), player->Sector(kMediumSectors - 1));

    EXPECT_EQ(5u, volume->Requests().sectorReads);
    EXPECT_EQ(2u, volume->Requests().sectorWrites);
}

TEST_F(Volume, AMediumWithoutPartitionTableIsOneVolume) {
    std::vector<BYTE> first = Pattern(512, 1);
    player->WriteMedium(0, 1, first.data());
    HANDLE handle = OpenVolume();
    std::vector<BYTE> sector(512);
    DWORD done = 0;
    ASSERT_TRUE(Read(handle, 0, sector, done));
    EXPECT_EQ(first, sector);
    EXPECT_EQ(kMediumSectors * 512, host.SetFilePointer(handle, 0, nullptr, FILE_END));
}

TEST_F(Volume, PullingThePlayerOutInTheMiddle) {
    Format();
    PutFile(L"SETTINGS.DAT", {1});
    HANDLE handle = OpenVolume();
    HANDLE file = OpenFile(L"E:\\SETTINGS.DAT");
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    SimPullOutPlayer(machine, L'E');

    std::vector<BYTE> sector(512);
    DWORD done = 0;
    EXPECT_FALSE(Read(handle, 0, sector, done));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED), Error());
    EXPECT_FALSE(Read(file, 0, sector, done));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED), Error());
    EXPECT_EQ(static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED), Control(handle, kSimUnlockVolume));
    EXPECT_EQ(0u, host.GetLogicalDrives() & (1u << ('E' - 'A')));
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenVolume());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), Error());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\SETTINGS.DAT"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), Error());
    EXPECT_TRUE(host.CloseHandle(handle));
    EXPECT_TRUE(host.CloseHandle(file));
}

TEST_F(Volume, APlayerGoneWhileItsLetterStaysIsNotReady) {
    Format();
    PutFile(L"SETTINGS.DAT", {1});
    HANDLE handle = OpenVolume();
    player->Disconnect();
    EXPECT_EQ(static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED), Control(handle, kSimLockVolume));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\SETTINGS.DAT"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_READY), Error());
}
