// The logical table: allocation, its refusals, the table reply and erasing.
#include "PlayerTestSupport.h"

using namespace player_test;

namespace {

const uint64_t kFlash = 64 << 20;

class PlayerTable : public ::testing::Test {
protected:
    SimFlashPlayer player{SimPlayerState(kFlash)};

    Reply Table(BYTE n = 10, size_t buffer = 112) { return Send(player, VendorBlock(0xC0, 0x05, n), buffer); }
    Bytes ReadSectors(BYTE drive, uint64_t first, uint32_t count, uint32_t sectorSize) {
        return Send(player, SectorBlock(0xC0, 0x13, drive, first, count), count * sectorSize).data;
    }
};

struct TableEntry {
    BYTE number, type, tag;
    uint64_t size;
};

TableEntry EntryAt(const Bytes& reply, size_t i) {
    const size_t at = 2 + 11 * i;
    return {reply[at], reply[at + 1], reply[at + 2], GetBig(reply, at + 3, 8)};
}

}  // namespace

TEST_F(PlayerTable, AllocationNumbersTheDrivesAndGivesTheDataDriveTheRest) {
    Reply empty = Table();
    ASSERT_TRUE(IsGood(empty));
    EXPECT_EQ((Bytes{0, 0}), empty.data);

    ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable())));
    Reply table = Table();
    ASSERT_TRUE(IsGood(table));
    ASSERT_EQ(2u + 5 * 11, table.data.size());
    EXPECT_EQ(5u, GetBig(table.data, 0, 2));
    // System drives in whole 2048-byte sectors, the data drive the rest in 512-byte ones.
    const uint64_t systems = 40960 + 100352 + 1501184 + 3000320;
    const TableEntry expected[] = {
        {0, 1, 0x50, 40960}, {1, 0, 0x0A, kFlash - systems}, {2, 1, 0x01, 100352},
        {3, 1, 0x00, 1501184}, {4, 1, 0x02, 3000320}};
    for (size_t i = 0; i < 5; ++i) {
        TableEntry entry = EntryAt(table.data, i);
        EXPECT_EQ(expected[i].number, entry.number) << i;
        EXPECT_EQ(expected[i].type, entry.type) << i;
        EXPECT_EQ(expected[i].tag, entry.tag) << i;
        EXPECT_EQ(expected[i].size, entry.size) << i;
    }

    // No more entries than n, no more bytes than the PC's buffer.
    Reply two = Table(2);
    EXPECT_EQ(2u, GetBig(two.data, 0, 2));
    EXPECT_EQ(2u + 2 * 11, two.data.size());
    EXPECT_EQ(10u, Table(10, 10).data.size());
}

TEST_F(PlayerTable, ADataDriveOfAGivenSizeKeepsIt) {
    ASSERT_TRUE(IsGood(Allocate(player, {{1, 0x50, 4096}, {0, 0x0A, 1000}})));
    Reply table = Table();
    EXPECT_EQ(1024u, EntryAt(table.data, 1).size);
    EXPECT_EQ(2u, player.MediumSectorCount());
}

TEST_F(PlayerTable, AllocationsThePlayerRefuseLeaveTheTableAlone) {
    const struct {
        const char* what;
        std::vector<Entry> entries;
        uint16_t status;
    } kRefused[] = {
        {"empty", {}, 0x203},
        {"eleven drives", std::vector<Entry>(11, Entry{1, 0x50, 2048}), 0x202},
        {"type 2", {{2, 0x50, 2048}}, 0x205},
        {"two data drives", {{0, 0x0A, 0}, {0, 0x0B, 4096}}, 0x10A},
        {"a tag twice", {{1, 0x01, 2048}, {1, 0x01, 2048}}, 0x204},
        {"a system drive of size 0", {{1, 0x01, 0}}, 0x207},
        {"more than the flash", {{1, 0x01, kFlash}, {0, 0x0A, 0}}, 0x206},
        {"a size near 2^64", {{1, 0x01, ~uint64_t(0) - 10}}, 0x206},
        {"the sum past the flash", {{1, 0x01, kFlash / 2}, {1, 0x02, kFlash / 2 + 1}}, 0x206},
    };
    for (const auto& refused : kRefused) {
        EXPECT_TRUE(HasStatus(Allocate(player, refused.entries), refused.status)) << refused.what;
        EXPECT_EQ((Bytes{0, 0}), Table().data) << refused.what;
    }

    // The data phase must be 11 bytes per entry, its last `count` bytes zero.
    Bytes data = AllocationData({{1, 0x50, 2048}, {0, 0x0A, 0}});
    Bytes shortData(data.begin(), data.end() - 1);
    EXPECT_TRUE(HasStatus(Send(player, VendorBlock(0xC1, 0x06, 2), 0, shortData), 0x107));
    data.back() = 1;
    EXPECT_TRUE(HasStatus(Send(player, VendorBlock(0xC1, 0x06, 2), 0, data), 0x10A));

    // A table stands until the media is erased.
    ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable())));
    EXPECT_TRUE(HasStatus(Allocate(player, UpdaterTable()), 0x209));
}

TEST_F(PlayerTable, ErasingTheMediaEmptiesTheTableAndTheFlash) {
    ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable())));
    ASSERT_TRUE(IsGood(Send(player, SectorBlock(0xC1, 0x23, 2, 0, 1), 0, Bytes(2048, 0x11))));
    player.State().tableDamaged = true;
    EXPECT_TRUE(HasStatus(Table(), 0x201));

    ASSERT_TRUE(IsGood(Send(player, VendorBlock(0xC1, 0x07))));
    EXPECT_EQ((Bytes{0, 0}), Table().data);
    EXPECT_TRUE(player.State().flash.Chunks().empty());
    ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable())));
    EXPECT_EQ(Bytes(2048, 0xFF), ReadSectors(2, 0, 1, 2048));
}

TEST_F(PlayerTable, ErasingADriveLeavesItsNeighbours) {
    ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable())));
    for (BYTE drive : {0, 2, 3})  // 0 and 3 lie either side of drive 2
        ASSERT_TRUE(IsGood(Send(player, SectorBlock(0xC1, 0x23, drive, 0, 20), 0, Bytes(20 * 2048, drive + 1))));
    Bytes stamp = VendorBlock(0xC1, 0x20, 2);
    stamp[3] = 7;
    stamp[5] = 9;
    ASSERT_TRUE(IsGood(Send(player, stamp)));

    ASSERT_TRUE(IsGood(Send(player, VendorBlock(0xC1, 0x2F, 2))));
    EXPECT_EQ(Bytes(20 * 2048, 0xFF), ReadSectors(2, 0, 20, 2048));
    EXPECT_EQ(Bytes(2048, 0xFF), ReadSectors(2, 48, 1, 2048));  // the last sector
    EXPECT_EQ(Bytes(20 * 2048, 1), ReadSectors(0, 0, 20, 2048));
    EXPECT_EQ(Bytes(20 * 2048, 4), ReadSectors(3, 0, 20, 2048));
    Bytes info = VendorBlock(0xC0, 0x12, 2);
    info[3] = 7;
    EXPECT_EQ(Bytes(48, 0), Send(player, info, 48).data);  // the version went with the drive
    EXPECT_TRUE(HasStatus(Send(player, VendorBlock(0xC1, 0x2F, 7)), 0x103));
}
