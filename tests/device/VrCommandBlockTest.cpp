// The player's commands as bytes: blocks, data phases and reply parsing.
#include <gtest/gtest.h>

#include <vector>

#include "updater/device/VrStandardCommands.h"
#include "updater/device/VrVendorChanges.h"
#include "updater/device/VrVendorQueries.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrVersionInfo.h"

namespace {

std::vector<uint8_t> Bytes(const CVrByteArray& array) {
    std::vector<uint8_t> bytes(array.GetCount());
    array.GetBytes(bytes.data(), array.GetCount(), 0);
    return bytes;
}

CVrByteArray& Filled(CVrByteArray& array, const std::vector<uint8_t>& bytes) {
    array.SetBytes(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
    return array;
}

// The command bytes after building (the unlisted ones zero) and the sizes of
// both data phases.
void ExpectBlock(CVrScsiCommand& command, std::vector<uint8_t> expected, uint32_t commandLength,
                 uint32_t replyLength, uint32_t dataOut, uint32_t dataOutLength = 0) {
    SCOPED_TRACE(command.GetObjectName());
    ASSERT_EQ(kVrOk, command.GetLastResult());
    ASSERT_EQ(kVrOk, command.BuildCommand());
    ASSERT_EQ(commandLength + dataOutLength, command.GetBlock().GetCount());
    expected.resize(commandLength, 0);
    std::vector<uint8_t> block = Bytes(command.GetBlock());
    EXPECT_EQ(expected, std::vector<uint8_t>(block.begin(), block.begin() + commandLength));
    EXPECT_EQ(commandLength, command.GetCommandLength());
    EXPECT_EQ(replyLength, command.GetReplyLength());
    EXPECT_EQ(dataOut, command.IsDataOut());
}

}  // namespace

TEST(VrCommandBlock, EachCommandBuildsItsBlockAndDataPhase) {
    CVrScsiInquiry inquiry;  // allocation length 96, not the usual 36
    ExpectBlock(inquiry, {0x12, 0, 0, 0, 0x60}, 6, 96, 0);
    CVrReadCapacity capacity;
    ExpectBlock(capacity, {0x25}, 10, 8, 0);
    CVrRead read(0x01020304, 128, 512);  // 65536 bytes; the count is 16 bits
    ExpectBlock(read, {0x28, 0, 1, 2, 3, 4, 0, 0x00, 0x80}, 10, 65536, 0);
    CVrGetChipMajorRevId chip;
    ExpectBlock(chip, {0xC0, 0x30}, 16, 2, 0);
    CVrGetLogicalMediaInfo player(9, 0);
    ExpectBlock(player, {0xC0, 0x02, 9}, 16, 1, 0);
    CVrGetLogicalMediaInfo callerSized(8, 300);
    ExpectBlock(callerSized, {0xC0, 0x02, 8}, 16, 300, 0);
    CVrGetLogicalTable table;
    ExpectBlock(table, {0xC0, 0x05, 10}, 16, 112, 0);
    CVrGetLogicalDriveInfo version(3, 7, 48);
    ExpectBlock(version, {0xC0, 0x12, 3, 7}, 16, 48, 0);
    CVrGetLogicalDriveInfo driveCallerSized(3, 11, 77);
    ExpectBlock(driveCallerSized, {0xC0, 0x12, 3, 11}, 16, 77, 0);
    CVrReadLogicalDriveSector sectors(4, 16, 0x0102030405060708ull, 0x00010203);
    ExpectBlock(sectors, {0xC0, 0x13, 4, 1, 2, 3, 4, 5, 6, 7, 8, 0, 1, 2, 3}, 16, 16 * 0x10203, 0);
    CVrEraseLogicalMedia eraseMedia;
    ExpectBlock(eraseMedia, {0xC1, 0x07}, 16, 0, 1);
    CVrEraseLogicalDrive eraseDrive(5);
    ExpectBlock(eraseDrive, {0xC1, 0x2F, 5}, 16, 0, 1);
}

TEST(VrCommandBlock, WritesCarryTheirDataAfterTheBlockAndRefuseMore) {
    CVrWriteLogicalDriveSector write(2, 512, 9, 4);
    ExpectBlock(write, {0xC1, 0x23, 2, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 4}, 16, 0, 1, 2048);
    std::vector<uint8_t> data(2048);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + 1);
    ASSERT_EQ(kVrOk, write.SetData(data.data(), 2048));
    std::vector<uint8_t> block = Bytes(write.GetBlock());
    EXPECT_EQ(data, std::vector<uint8_t>(block.begin() + 16, block.end()));
    EXPECT_EQ(kVrDataTooLong, write.SetData(std::vector<uint8_t>(2049).data(), 2049));
    EXPECT_EQ(kVrDataTooLong, write.GetLastResult());  // so it is never sent half-filled

    CVrWrite write10(0x0A0B0C0D, 2, 512);
    CVrByteArray enough(1024);
    enough.SetAt(0, 0xAB);
    ASSERT_EQ(kVrOk, write10.SetData(enough));
    ExpectBlock(write10, {0x2A, 0, 0x0A, 0x0B, 0x0C, 0x0D, 0, 0, 2}, 10, 0, 1, 1024);
    uint8_t first = 0;
    write10.GetBlock().GetAt(10, first);
    EXPECT_EQ(0xAB, first);
    CVrWrite write10Short(7, 2, 512);
    CVrByteArray tooMuch(1025);
    EXPECT_EQ(kVrDataTooLong, write10Short.SetData(tooMuch));
}

TEST(VrCommandBlock, RefusedInformationTypesAndImpossibleLengthsFailAtConstruction) {
    for (uint8_t type : {2, 3, 4, 10, 255}) {
        CVrGetLogicalMediaInfo media(type, 4);
        EXPECT_EQ(kVrUnexpectedInfoType, media.GetLastResult()) << int(type);
        EXPECT_EQ(0u, media.GetReplyLength());
    }
    CVrGetLogicalDriveInfo drive(1, 12, 4);
    EXPECT_EQ(kVrIndexBeyondTable, drive.GetLastResult());
    EXPECT_EQ(0u, drive.GetReplyLength());
    // 65536 sectors of 65536 bytes is 4 GiB: no 32-bit transfer holds it.
    CVrReadLogicalDriveSector huge(1, 0x10000, 0, 0x10000);
    EXPECT_EQ(kVrNoMemory, huge.GetLastResult());
    CVrWriteLogicalDriveSector hugeWrite(1, 0x10000, 0, 0x10000);
    EXPECT_EQ(kVrNoMemory, hugeWrite.GetLastResult());
}

TEST(VrCommandBlock, AllocationSendsTenBytesPerEntryAndAZeroTail) {
    VrLogicalTable table;
    table.count = 3;
    table.entries[0] = {7, kVrSystemDriveType, 0x50, 0x10000};
    table.entries[1] = {8, kVrDataDriveType, 0x0A, 0x0102030405060708ull};
    table.entries[2] = {9, kVrSystemDriveType, 0x01, 0x20000};
    CVrAllocateLogicalMedia allocate(table);
    ExpectBlock(allocate, {0xC1, 0x06, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 16, 0, 1, 33);
    std::vector<uint8_t> block = Bytes(allocate.GetBlock());
    std::vector<uint8_t> data(block.begin() + 16, block.end());
    EXPECT_EQ((std::vector<uint8_t>{1, 0x50, 0, 0, 0, 0, 0, 1, 0, 0,   //
                                    0, 0x0A, 1, 2, 3, 4, 5, 6, 7, 8,   //
                                    1, 0x01, 0, 0, 0, 0, 0, 2, 0, 0,   //
                                    0, 0, 0}),
              data);

    table.count = 11;
    CVrAllocateLogicalMedia tooMany(table);
    EXPECT_EQ(kVrFieldOutOfRange, tooMany.GetLastResult());
}

namespace {

// A logical table reply of `size` bytes announcing `count`, entry i holding
// drive number 10 + i, type i % 2, tag 0x50 + i and size (i + 1) << 32 | i.
CVrByteArray& TableReply(CVrByteArray& reply, uint16_t count) {
    reply.SetWord(count, 0);
    for (uint32_t i = 0; 2 + 11 * (i + 1) <= reply.GetCount(); ++i) {
        const uint32_t at = 2 + 11 * i;
        reply.SetAt(at, static_cast<uint8_t>(10 + i));
        reply.SetAt(at + 1, static_cast<uint8_t>(i % 2));
        reply.SetAt(at + 2, static_cast<uint8_t>(0x50 + i));
        reply.SetQword(uint64_t(i + 1) << 32 | i, at + 3);
    }
    return reply;
}

}  // namespace

TEST(VrCommandReply, LogicalTableTakesOnlyWhatTheReplyHolds) {
    CVrGetLogicalTable command;
    VrLogicalTable table;
    CVrByteArray empty(112);
    ASSERT_EQ(kVrOk, command.StoreReply(TableReply(empty, 0)));
    command.GetTable(table);
    EXPECT_EQ(0, table.count);

    CVrByteArray full(112);
    ASSERT_EQ(kVrOk, command.StoreReply(TableReply(full, 10)));
    command.GetTable(table);
    ASSERT_EQ(10, table.count);
    EXPECT_EQ(19, table.entries[9].driveNumber);
    EXPECT_EQ(1, table.entries[9].driveType);
    EXPECT_EQ(0x59, table.entries[9].driveTag);
    EXPECT_EQ(0x0000000A00000009ull, table.entries[9].size);

    // Building the command again forgets the old table.
    command.BuildCommand();
    command.GetTable(table);
    EXPECT_EQ(0, table.count);

    CVrByteArray shortReply(111);
    EXPECT_EQ(kVrFieldOutOfRange, command.StoreReply(TableReply(shortReply, 10)));
    // More than ten entries is refused even when the reply would hold them.
    CVrByteArray eleven(2 + 11 * 11);
    EXPECT_EQ(kVrFieldOutOfRange, command.StoreReply(TableReply(eleven, 11)));
    command.GetTable(table);
    EXPECT_EQ(0, table.count);
}

TEST(VrCommandReply, ParsersReadTheirFieldsAndRefuseOtherTypes) {
    CVrGetLogicalDriveInfo versionInfo(3, CVrGetLogicalDriveInfo::kComponentVersion, 48);
    CVrByteArray versionReply(48);
    ASSERT_EQ(kVrOk, versionInfo.StoreReply(Filled(versionReply, {0, 1, 0, 2, 0, 0x0A})));
    CVrVersionInfo version;
    ASSERT_EQ(kVrOk, versionInfo.GetVersion(version));
    EXPECT_EQ(CVrVersionInfo(1, 2, 10), version);
    uint32_t sectorSize = 0;
    EXPECT_EQ(kVrUnexpectedInfoType, versionInfo.GetSectorSize(sectorSize));

    CVrGetLogicalDriveInfo sectorInfo(3, CVrGetLogicalDriveInfo::kSectorSize, 4);
    CVrByteArray sectorReply(4);
    ASSERT_EQ(kVrOk, sectorInfo.StoreReply(Filled(sectorReply, {0, 0, 2, 0})));
    ASSERT_EQ(kVrOk, sectorInfo.GetSectorSize(sectorSize));
    EXPECT_EQ(512u, sectorSize);
    EXPECT_EQ(kVrUnexpectedInfoType, sectorInfo.GetVersion(version));

    CVrGetLogicalMediaInfo isPlayer(9, 0);
    bool player = true;
    CVrByteArray no(1), yes(1);
    isPlayer.StoreReply(no);
    ASSERT_EQ(kVrOk, isPlayer.IsPlayer(player));
    EXPECT_FALSE(player);
    isPlayer.StoreReply(Filled(yes, {5}));
    isPlayer.IsPlayer(player);
    EXPECT_TRUE(player);
    CVrGetLogicalMediaInfo otherType(1, 0);
    EXPECT_EQ(kVrUnexpectedInfoType, otherType.IsPlayer(player));

    CVrReadCapacity capacity;
    uint32_t last = 0, length = 0;
    EXPECT_EQ(kVrFieldOutOfRange, capacity.GetCapacity(last, length));  // no reply yet
    CVrByteArray capacityReply(8);
    capacity.StoreReply(Filled(capacityReply, {0, 0x01, 0xE0, 0xFF, 0, 0, 2, 0}));
    ASSERT_EQ(kVrOk, capacity.GetCapacity(last, length));
    EXPECT_EQ(0x1E0FFu, last);
    EXPECT_EQ(512u, length);

    // A short reply fills the front of the caller's array and leaves the rest.
    CVrRead read(0, 1, 512);
    CVrByteArray readReply(4), data(6);
    read.StoreReply(Filled(readReply, {1, 2, 3, 4}));
    Filled(data, {9, 9, 9, 9, 9, 9});
    ASSERT_EQ(kVrOk, read.GetData(data));
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4, 9, 9}), Bytes(data));
}

TEST(VrCommandReply, DriveVersionSurvivesRebuildingTheBlock) {
    CVrSetLogicalDriveInfo set(4, CVrGetLogicalDriveInfo::kProductVersion, CVrVersionInfo(0x0102, 3, 0xA0B0));
    ExpectBlock(set, {0xC1, 0x20, 4, 8, 0x01, 0x02, 0, 3, 0xA0, 0xB0}, 16, 0, 1);
}
