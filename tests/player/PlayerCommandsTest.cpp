// The player's identity, its information commands and how it refuses
// commands it cannot serve.
#include "PlayerTestSupport.h"

#include <string>

using namespace player_test;

namespace {

class PlayerCommands : public ::testing::Test {
protected:
    SimFlashPlayer player{SimPlayerState(64 << 20)};

    void SetUp() override { ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable()))); }
};

std::string Text(const Bytes& bytes, size_t offset, size_t length) {
    return std::string(bytes.begin() + offset, bytes.begin() + offset + length);
}

}  // namespace

TEST_F(PlayerCommands, InquiryAnswersTheIdentityWithinTheAllocationLength) {
    Bytes inquiry{0x12, 0, 0, 0, 0x60, 0};
    Reply full = Send(player, inquiry, 96);
    ASSERT_TRUE(IsGood(full));
    ASSERT_EQ(96u, full.data.size());
    EXPECT_EQ(0x00, full.data[0] & 0x1F);  // a direct-access unit
    EXPECT_EQ(0x80, full.data[1]);         // removable
    EXPECT_EQ("Lumo    ", Text(full.data, 8, 8));
    EXPECT_EQ("MP3 Audio Player", Text(full.data, 16, 16));
    EXPECT_EQ("1.00", Text(full.data, 32, 4));

    inquiry[4] = 36;
    Reply usual = Send(player, inquiry, 96);
    ASSERT_TRUE(IsGood(usual));
    EXPECT_EQ(Bytes(full.data.begin(), full.data.begin() + 36), usual.data);
    inquiry[4] = 0x60;
    EXPECT_EQ(20u, Send(player, inquiry, 20).data.size());  // no more than the PC's buffer holds
}

TEST_F(PlayerCommands, ChipRevisionAndMediaInformation) {
    Reply chip = Send(player, VendorBlock(0xC0, 0x30), 2);
    ASSERT_TRUE(IsGood(chip));
    EXPECT_EQ((Bytes{0x00, 0x03}), chip.data);
    player.State().chipRevision = 0x0104;
    EXPECT_EQ((Bytes{0x01, 0x04}), Send(player, VendorBlock(0xC0, 0x30), 2).data);

    Reply isPlayer = Send(player, VendorBlock(0xC0, 0x02, 9), 1);
    ASSERT_TRUE(IsGood(isPlayer));
    ASSERT_EQ(1u, isPlayer.data.size());
    EXPECT_NE(0, isPlayer.data[0]);

    // Type 1 is the size of the whole flash, 64 MiB here.
    Reply size = Send(player, VendorBlock(0xC0, 0x02, 1), 24);
    ASSERT_TRUE(IsGood(size));
    EXPECT_EQ((Bytes{0, 0, 0, 0, 0x04, 0, 0, 0}), size.data);

    const struct {
        BYTE type;
        size_t length;
    } kLengths[] = {{0, 2}, {5, 1}, {6, 4}, {7, 2}, {8, 24}};
    for (const auto& info : kLengths) {
        Reply reply = Send(player, VendorBlock(0xC0, 0x02, info.type), 24);
        ASSERT_TRUE(IsGood(reply)) << "type " << int(info.type);
        EXPECT_EQ(Bytes(info.length, 0), reply.data) << "type " << int(info.type);
    }
    for (BYTE refused : {2, 3, 4, 10, 255})
        EXPECT_TRUE(HasStatus(Send(player, VendorBlock(0xC0, 0x02, refused), 8), 0x104)) << int(refused);
}

TEST_F(PlayerCommands, DriveInformationGivesSectorSizesAndVersions) {
    auto info = [&](BYTE drive, BYTE type, size_t buffer) {
        Bytes block = VendorBlock(0xC0, 0x12, drive);
        block[3] = type;
        return Send(player, block, buffer);
    };
    Reply system = info(0, 0, 4);
    ASSERT_TRUE(IsGood(system));
    EXPECT_EQ(2048u, GetBig(system.data, 0, 4));
    EXPECT_EQ(512u, GetBig(info(1, 0, 4).data, 0, 4));  // the data drive

    Bytes stamp = VendorBlock(0xC1, 0x20, 3);
    stamp[3] = 7;
    PutBig(stamp, 4, 1, 2);
    PutBig(stamp, 6, 5, 2);
    PutBig(stamp, 8, 12, 2);
    ASSERT_TRUE(IsGood(Send(player, stamp)));
    stamp[3] = 8;
    PutBig(stamp, 8, 0, 2);
    ASSERT_TRUE(IsGood(Send(player, stamp)));
    auto record = [&](BYTE drive, BYTE type) {
        Bytes data = info(drive, type, 48).data;
        data.resize(48);
        return data;
    };
    Bytes component{0, 1, 0, 5, 0, 12};
    component.resize(48);  // the rest of the record is zero
    EXPECT_EQ(component, record(3, 7));
    Bytes product{0, 1, 0, 5, 0, 0};
    product.resize(48);
    EXPECT_EQ(product, record(3, 8));
    EXPECT_EQ(Bytes(48, 0), record(2, 7));  // not stamped

    EXPECT_EQ(8u, info(3, 2, 64).data.size());
    EXPECT_EQ(2u, info(3, 10, 64).data.size());
    EXPECT_EQ(64u, info(3, 11, 64).data.size());  // as long as the PC asks
    EXPECT_TRUE(HasStatus(info(3, 12, 64), 0x104));
    EXPECT_TRUE(HasStatus(info(9, 0, 4), 0x103));
    stamp[3] = 0;
    EXPECT_TRUE(HasStatus(Send(player, stamp), 0x50F));  // a sector size is not the PC's to set
    stamp[2] = 9;
    stamp[3] = 7;
    EXPECT_TRUE(HasStatus(Send(player, stamp), 0x103));
}

TEST_F(PlayerCommands, CommandsItCannotServeAreRefusedWithSense) {
    EXPECT_TRUE(HasSense(Send(player, Bytes{0x03, 0, 0, 0, 18, 0}, 18), 5, 0x20));  // REQUEST SENSE: not its command
    EXPECT_TRUE(HasSense(Send(player, Bytes{}, 0), 5, 0x20));
    EXPECT_TRUE(HasStatus(Send(player, VendorBlock(0xC0, 0x77), 8), 0x101));
    EXPECT_TRUE(HasStatus(Send(player, VendorBlock(0xC1, 0x77)), 0x101));
    EXPECT_TRUE(HasSense(Send(player, Bytes{0xC0, 0x30, 0, 0, 0, 0}, 2), 5, 0x24));  // a vendor block is 16 bytes
    EXPECT_TRUE(HasSense(Send(player, Bytes{0x28, 0, 0, 0, 0, 0}, 512), 5, 0x24));
    // Data sent with a command that takes none.
    EXPECT_TRUE(HasStatus(Send(player, VendorBlock(0xC1, 0x2F, 0), 0, Bytes(4, 0)), 0x107));
    EXPECT_TRUE(HasStatus(Send(player, VendorBlock(0xC0, 0x30), 2, Bytes(2, 0)), 0x107));
}
