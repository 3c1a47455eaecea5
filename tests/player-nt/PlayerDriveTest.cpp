// The player's drive letter: its files through the FAT volume on the medium,
// as the updater and the content manager reach them.
#include <cstring>

#include "platform/sim/player/SimLittleEndian.h"
#include "tests/player-nt/PlayerOnPc.h"

namespace {

class PlayerDrive : public PlayerOnPc {
protected:
    SimFatEntry Entry(const std::wstring& name) {
        SimVolumeExtent extent;
        SimFindVolume(*player, extent);
        SimFat fat(*player, extent);
        SimFatEntry entry;
        EXPECT_EQ(0u, fat.Mount());
        EXPECT_EQ(0u, fat.Find({name}, entry)) << "no entry for the name";
        return entry;
    }
    // The first bytes of the root directory entries, FAT16 as SimFatFormat lays it out.
    std::vector<BYTE> RootMarks(size_t count) {
        std::vector<BYTE> boot = player->Sector(63);
        uint32_t root = 63 + SimGet16(&boot[14]) + 2 * SimGet16(&boot[22]);
        std::vector<BYTE> sector = player->Sector(root), marks;
        for (size_t i = 0; i < count; ++i) marks.push_back(sector[i * 32]);
        return marks;
    }
    HANDLE Create(LPCWSTR name, DWORD access, DWORD disposition, DWORD share = 0) {
        return host.CreateFile(name, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
};

}  // namespace

TEST_F(PlayerDrive, TheSettingsFileIsClearedAndDeletedAsAfterADownload) {
    Format();
    PutFile(L"SETTINGS.DAT", Pattern(5000, 1));  // ten clusters of 512 bytes
    uint32_t firstCluster = Entry(L"SETTINGS.DAT").firstCluster;
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), host.GetFileAttributes(L"e:\\settings.dat"));

    ASSERT_TRUE(host.SetFileAttributes(L"E:\\SETTINGS.DAT", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              host.GetFileAttributes(L"E:\\SETTINGS.DAT"));
    EXPECT_FALSE(host.DeleteFile(L"E:\\SETTINGS.DAT"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), Error());

    ASSERT_TRUE(host.SetFileAttributes(L"E:\\SETTINGS.DAT", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL), host.GetFileAttributes(L"E:\\SETTINGS.DAT"));
    ASSERT_TRUE(host.DeleteFile(L"E:\\SETTINGS.DAT"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\SETTINGS.DAT"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), Error());
    EXPECT_FALSE(host.DeleteFile(L"E:\\SETTINGS.DAT"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), Error());

    // Its clusters are free again: the next file gets them.
    PutFile(L"NEXT.BIN", Pattern(5000, 2));
    EXPECT_EQ(firstCluster, Entry(L"NEXT.BIN").firstCluster);
}

TEST_F(PlayerDrive, LongNameEntriesGoWithTheirFile) {
    Format();
    PutFile(L"Track Number One.mp3", {1, 2, 3});
    PutFile(L"KEEP.TXT", {4});
    EXPECT_EQ(std::vector<BYTE>({0x42, 0x01, 'T', 'K', 0}), RootMarks(5));  // two long-name entries, then 8.3
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\TRACK NUMBER ONE.MP3"));

    ASSERT_TRUE(host.DeleteFile(L"E:\\TRACKN~1.MP3"));  // by its 8.3 alias
    EXPECT_EQ(std::vector<BYTE>({0xE5, 0xE5, 0xE5, 'K', 0}), RootMarks(5));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\keep.txt"));
}

TEST_F(PlayerDrive, FilesAreWrittenAndReadThroughHandles) {
    Format(SimFatKind::kFat16);
    HANDLE file = Create(L"E:\\vok.tmp", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::vector<BYTE> bytes = Pattern(6000, 3);
    DWORD done = 0;
    ASSERT_TRUE(host.WriteFile(file, bytes.data(), 3000, &done, nullptr));
    host.SetFilePointer(file, 1000, nullptr, FILE_CURRENT);  // a gap of 1000 bytes
    ASSERT_TRUE(host.WriteFile(file, bytes.data() + 4000, 2000, &done, nullptr));
    EXPECT_FALSE(host.DeleteFile(L"E:\\vok.tmp"));  // open without delete sharing
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), Error());
    host.CloseHandle(file);

    file = Create(L"E:\\VOK.TMP", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    std::vector<BYTE> back(8000);
    ASSERT_TRUE(host.ReadFile(file, back.data(), 8000, &done, nullptr));
    ASSERT_EQ(6000u, done);
    std::memset(bytes.data() + 3000, 0, 1000);
    back.resize(done);
    EXPECT_EQ(bytes, back);
    host.CloseHandle(file);

    EXPECT_EQ(INVALID_HANDLE_VALUE, Create(L"E:\\vok.tmp", GENERIC_WRITE, CREATE_NEW));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_EXISTS), Error());
    EXPECT_EQ(INVALID_HANDLE_VALUE, Create(L"E:\\edisk\\song.mp3", GENERIC_WRITE, CREATE_NEW));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), Error());
}

TEST_F(PlayerDrive, AnUnformattedMediumIsNoFileSystem) {
    EXPECT_EQ(static_cast<DWORD>(DRIVE_REMOVABLE), host.GetDriveType(L"E:\\"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\SETTINGS.DAT"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_UNRECOGNIZED_VOLUME), Error());

    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), SimFatFormat(*player, SimFatKind::kFat32));  // too small
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_UNRECOGNIZED_VOLUME), Error());
}

class LargePlayerDrive : public PlayerOnPc {
protected:
    LargePlayerDrive() : PlayerOnPc(73728) {}  // 36 MiB: room for FAT32
};

TEST_F(LargePlayerDrive, Fat32KeepsItsRootInAClusterChain) {
    Format(SimFatKind::kFat32);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), host.GetFileAttributes(L"E:\\"));
    // More entries than one 512-byte cluster holds make the root grow.
    for (int i = 0; i < 40; ++i) PutFile(L"FILE" + std::to_wstring(i) + L".BIN", {BYTE(i)});
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), host.GetFileAttributes(L"E:\\FILE39.BIN"));
    ASSERT_TRUE(host.DeleteFile(L"E:\\FILE39.BIN"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\FILE39.BIN"));
}
