// Damaged volumes give errors, never a crash or an endless walk.
#include "platform/sim/player/SimLittleEndian.h"
#include "tests/player-nt/PlayerOnPc.h"

namespace {

const uint64_t kBootSector = 63;
const uint64_t kFirstFat = kBootSector + 1;

class DamagedVolume : public PlayerOnPc {
protected:
    void SetUp() override {
        Format();
        PutFile(L"SONG.MP3", Pattern(3000, 1));  // six clusters of 512 bytes
        boot = player->Sector(kBootSector);
        SimVolumeExtent extent;
        SimFindVolume(*player, extent);
        SimFat fat(*player, extent);
        SimFatEntry entry;
        ASSERT_EQ(0u, fat.Mount());
        ASSERT_EQ(0u, fat.Find({L"SONG.MP3"}, entry));
        first = entry.firstCluster;
    }
    void SetFatEntry(uint32_t cluster, uint16_t value) {
        std::vector<BYTE> sector = player->Sector(kFirstFat + cluster * 2 / 512);
        SimPut16(&sector[cluster * 2 % 512], value);
        player->WriteMedium(kFirstFat + cluster * 2 / 512, 1, sector.data());
    }
    DWORD ReadWhole() {
        HANDLE file = host.CreateFile(L"E:\\SONG.MP3", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        std::vector<BYTE> bytes(3000);
        DWORD done = 0;
        DWORD error = host.ReadFile(file, bytes.data(), 3000, &done, nullptr) ? ERROR_SUCCESS : Error();
        host.CloseHandle(file);
        return error;
    }

    std::vector<BYTE> boot;
    uint32_t first = 0;
};

}  // namespace

TEST_F(DamagedVolume, BrokenChainsAreRefused) {
    SetFatEntry(first + 1, 0xFFF0);  // a reserved value, no cluster
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_CORRUPT), ReadWhole());
    SetFatEntry(first + 1, 0);  // a free cluster inside the chain
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_CORRUPT), ReadWhole());

    // A loop: reading stops at the file's size, deleting finds the loop and
    // leaves the file alone.
    SetFatEntry(first + 1, static_cast<uint16_t>(first + 2));
    SetFatEntry(first + 5, static_cast<uint16_t>(first));
    EXPECT_EQ(0u, ReadWhole());
    EXPECT_FALSE(host.DeleteFile(L"E:\\SONG.MP3"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_CORRUPT), Error());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\SONG.MP3"));
}

TEST_F(DamagedVolume, BootSectorsWindowsWouldNotMountAreUnrecognized) {
    struct Damage {
        const char* what;
        size_t offset;
        uint16_t value;
    };
    const Damage damages[] = {
        {"no jump", 0, 0},
        {"sector size 0", 11, 0},
        {"sector size unlike the medium's", 11, 1024},
        {"three sectors per cluster", 13, 3},
        {"no reserved sectors", 14, 0},
        {"no FATs", 16, 0},
        {"FATs too small for the clusters", 22, 1},
        {"FAT32 shape with root entries", 22, 0},
        {"total beyond the partition", 19, 0xFFFF},
    };
    for (const Damage& damage : damages) {
        std::vector<BYTE> sector = boot;
        if (damage.offset == 13 || damage.offset == 0) {
            sector[damage.offset] = static_cast<BYTE>(damage.value);
        } else {
            SimPut16(&sector[damage.offset], damage.value);
        }
        player->WriteMedium(kBootSector, 1, sector.data());
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\SONG.MP3")) << damage.what;
        EXPECT_EQ(static_cast<DWORD>(ERROR_UNRECOGNIZED_VOLUME), Error()) << damage.what;
    }
    player->WriteMedium(kBootSector, 1, boot.data());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, host.GetFileAttributes(L"E:\\SONG.MP3"));
}
