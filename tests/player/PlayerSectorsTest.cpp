// Sector access: the vendor sector commands on any drive, and the data drive
// as the SCSI unit's medium (READ CAPACITY, READ(10), WRITE(10) and the
// medium interface of the simulated PC's disk).
#include "PlayerTestSupport.h"

using namespace player_test;

namespace {

class PlayerSectors : public ::testing::Test {
protected:
    SimFlashPlayer player{SimPlayerState(64 << 20)};

    void SetUp() override { ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable()))); }

    Reply ReadSectors(BYTE drive, uint64_t first, uint32_t count, size_t bytes) {
        return Send(player, SectorBlock(0xC0, 0x13, drive, first, count), bytes);
    }
    Reply WriteSectors(BYTE drive, uint64_t first, uint32_t count, const Bytes& data) {
        return Send(player, SectorBlock(0xC1, 0x23, drive, first, count), 0, data);
    }
};

Bytes Pattern(size_t length, BYTE seed) {
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<BYTE>(seed + i * 7);
    return bytes;
}

}  // namespace

TEST_F(PlayerSectors, DriveSectorsGoInTheDrivesOwnSectorSize) {
    const Bytes data = Pattern(2 * 2048, 3);
    ASSERT_TRUE(IsGood(WriteSectors(3, 5, 2, data)));
    Reply back = ReadSectors(3, 5, 2, data.size());
    ASSERT_TRUE(IsGood(back));
    EXPECT_EQ(data, back.data);
    EXPECT_EQ(Bytes(2048, 0xFF), ReadSectors(3, 4, 1, 2048).data);  // never written: erased
    EXPECT_EQ(Bytes(2048, 0xFF), ReadSectors(3, 7, 1, 2048).data);

    // The same sectors through the data drive's 512-byte sectors.
    const Bytes small = Pattern(3 * 512, 9);
    ASSERT_TRUE(IsGood(WriteSectors(1, 10, 3, small)));
    EXPECT_EQ(small, ReadSectors(1, 10, 3, small.size()).data);
}

TEST_F(PlayerSectors, RunsOutsideTheDriveOrOfTheWrongLengthAreRefused) {
    // Drive 2 holds 49 sectors of 2048 bytes.
    EXPECT_TRUE(HasStatus(ReadSectors(2, 49, 1, 2048), 0x504));
    EXPECT_TRUE(HasStatus(ReadSectors(2, ~uint64_t(0), 2, 4096), 0x504));
    EXPECT_TRUE(HasStatus(ReadSectors(2, 48, 2, 4096), 0x505));
    EXPECT_TRUE(HasStatus(WriteSectors(2, 40, 0xFFFFFFFF, Bytes(2048)), 0x505));
    EXPECT_TRUE(IsGood(ReadSectors(2, 48, 1, 2048)));
    EXPECT_TRUE(HasStatus(ReadSectors(2, 0, 0, 0), 0x106));
    EXPECT_TRUE(HasStatus(ReadSectors(9, 0, 1, 2048), 0x103));
    EXPECT_TRUE(HasStatus(WriteSectors(9, 0, 1, Bytes(2048)), 0x103));
    // A PC that took 512 for a 2048-byte drive moves the wrong number of bytes.
    EXPECT_TRUE(HasStatus(ReadSectors(2, 0, 4, 4 * 512), 0x107));
    EXPECT_TRUE(HasStatus(WriteSectors(2, 0, 4, Bytes(4 * 512, 0)), 0x107));
    EXPECT_EQ(Bytes(2048, 0xFF), ReadSectors(2, 0, 1, 2048).data);
}

TEST_F(PlayerSectors, TheDataDriveIsTheUnitsMedium) {
    const uint64_t sectors = player.MediumSectorCount();
    ASSERT_EQ(player.State().DataDrive()->size / 512, sectors);
    EXPECT_EQ(512u, player.MediumSectorSize());

    Reply capacity = Send(player, Bytes{0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8);
    ASSERT_TRUE(IsGood(capacity));
    EXPECT_EQ(sectors - 1, GetBig(capacity.data, 0, 4));
    EXPECT_EQ(512u, GetBig(capacity.data, 4, 4));

    const Bytes data = Pattern(128 * 512, 1);
    ASSERT_TRUE(IsGood(Send(player, Block10(0x2A, 100, 128), 0, data)));
    Reply back = Send(player, Block10(0x28, 100, 128), data.size());
    ASSERT_TRUE(IsGood(back));
    EXPECT_EQ(data, back.data);
    EXPECT_EQ(Bytes(data.begin(), data.begin() + 512), ReadSectors(1, 100, 1, 512).data);

    Bytes medium(2 * 512);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), player.ReadMedium(227, 2, medium.data()));
    EXPECT_EQ(Bytes(data.end() - 512, data.end()), Bytes(medium.begin(), medium.begin() + 512));
    EXPECT_EQ(Bytes(512, 0xFF), Bytes(medium.begin() + 512, medium.end()));
    const Bytes written = Pattern(512, 77);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), player.WriteMedium(sectors - 1, 1, written.data()));
    EXPECT_EQ(written, Send(player, Block10(0x28, static_cast<uint32_t>(sectors - 1), 1), 512).data);

    EXPECT_TRUE(HasSense(Send(player, Block10(0x28, static_cast<uint32_t>(sectors - 1), 2), 1024), 5, 0x21));
    EXPECT_TRUE(HasStatus(Send(player, Block10(0x28, 0, 2), 512), 0x107));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), player.ReadMedium(sectors, 1, medium.data()));
}

TEST_F(PlayerSectors, WithoutADataDriveThereIsNoMedium) {
    ASSERT_TRUE(IsGood(Send(player, VendorBlock(0xC1, 0x07))));
    EXPECT_EQ(0u, player.MediumSectorCount());
    EXPECT_TRUE(HasSense(Send(player, Bytes{0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8), 2, 0x3A));
    EXPECT_TRUE(HasSense(Send(player, Block10(0x28, 0, 1), 512), 2, 0x3A));
    Bytes sector(512);
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_READY), player.ReadMedium(0, 1, sector.data()));
}

TEST(PlayerFlash, OnlyWrittenChunksCostMemory) {
    SimFlashPlayer player{SimPlayerState(uint64_t(4) << 30)};
    ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable())));
    const uint64_t last = player.MediumSectorCount() - 1;
    const Bytes data = Pattern(512, 5);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), player.WriteMedium(last, 1, data.data()));
    Bytes erased(512, 0xFF);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), player.WriteMedium(0, 1, erased.data()));  // changes nothing
    EXPECT_EQ(1u, player.State().flash.Chunks().size());

    Bytes back(2 * 512);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), player.ReadMedium(last - 1, 2, back.data()));
    EXPECT_EQ(Bytes(512, 0xFF), Bytes(back.begin(), back.begin() + 512));
    EXPECT_EQ(data, Bytes(back.begin() + 512, back.end()));
}
