// System drives against a player held in memory: versions first, then the
// image in sector runs of 64 KiB padded with erased flash, then the read-back.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/engine/EngineTestBed.h"
#include "tests/engine/InMemoryPlayer.h"
#include "updater/engine/VrFwComponent.h"
#include "updater/engine/VrSystemDrive.h"
#include "updater/base/VrResult.h"

namespace {

const uint8_t kUsbMsc = 2;
const uint8_t kDriveNumber = 3;
const uint8_t kWriteStage = 17 + kUsbMsc;

class VrSystemDriveTest : public ::testing::Test, protected EngineTestBed {
protected:
    // The mass-storage firmware with an image of `imageBytes`, on a drive of
    // `driveBytes` that the player gives `sectorSize`-byte sectors.
    void Prepare(size_t imageBytes, uint32_t sectorSize, uint64_t driveBytes) {
        image = ImageBytes(imageBytes);
        WriteComponentFile("usbmsc.sb",
                           ComponentFile("Product Version: 1.5.0\nComponent Version: 1.5.7\n", image));
        player.AddDrive(kDriveNumber, sectorSize, driveBytes);
        entry.driveNumber = kDriveNumber;
        entry.driveType = 1;
        entry.driveTag = 0x01;
        entry.size = driveBytes;
        drive.SetIndex(kUsbMsc);
        ASSERT_EQ(kVrOk, drive.Attach(&player, updater.GetContext(), &entry));
    }

    // What RefreshDrives does: the player's allocation becomes the size to write.
    void RequirePlayersSize() { drive.SetRequiredEntry(&entry); }

    std::vector<InMemoryPlayer::Command> SectorWrites() const {
        std::vector<InMemoryPlayer::Command> writes;
        for (const InMemoryPlayer::Command& command : player.commands) {
            if (command.operation == 0xC1 && command.request == 0x23) writes.push_back(command);
        }
        return writes;
    }

    std::vector<uint8_t> image;
    InMemoryPlayer player{updater.GetContext()};
    VrLogicalTableEntry entry;
    CVrSystemDrive drive;
};

}  // namespace

TEST_F(VrSystemDriveTest, SmallImageIsOneRunPaddedWithErasedFlashAfterTheVersions) {
    Prepare(1000, 512, 1024);
    uint32_t steps = 0;
    ASSERT_EQ(kVrOk, drive.WriteComponent(steps));
    EXPECT_EQ(1u, steps);
    EXPECT_EQ(1, progress.steps);
    EXPECT_EQ((std::vector<RecordingProgress::Stage>{{kWriteStage, 1}}), progress.stages);

    // Product version, component version, sector size, then the data.
    ASSERT_EQ(4u, player.commands.size());
    EXPECT_EQ(0x20, player.commands[0].request);
    EXPECT_EQ(0x20, player.commands[1].request);
    EXPECT_EQ(0x12, player.commands[2].request);
    EXPECT_EQ(0x23, player.commands[3].request);
    EXPECT_EQ(2u, player.commands[3].count);
    const InMemoryPlayer::Drive& stored = player.drives[kDriveNumber];
    EXPECT_EQ(CVrVersionInfo(1, 5, 0), stored.productVersion);
    EXPECT_EQ(CVrVersionInfo(1, 5, 7), stored.componentVersion);

    std::vector<uint8_t> expected = image;
    expected.resize(1024, 0xFF);
    EXPECT_EQ(expected, stored.bytes);

    CVrVersionInfo version;
    ASSERT_EQ(kVrOk, drive.ReadDeviceVersion(version));
    EXPECT_EQ(CVrVersionInfo(1, 5, 7), version);
    ASSERT_EQ(kVrOk, drive.ReadDeviceProductVersion(version));
    EXPECT_EQ(CVrVersionInfo(1, 5, 0), version);

    EXPECT_EQ(kVrOk, drive.VerifyComponent());
    EXPECT_EQ(2, progress.steps);
    EXPECT_EQ(1u, progress.stages.size());
}

TEST_F(VrSystemDriveTest, TheWholeAllocationIsWrittenInRunsOf128SectorsAndARest) {
    Prepare(1000, 512, 3 * 65536 + 512);
    RequirePlayersSize();
    uint32_t steps = 0;
    ASSERT_EQ(kVrOk, drive.WriteComponent(steps));
    EXPECT_EQ(4u, steps);
    EXPECT_EQ(4, progress.steps);
    EXPECT_EQ((std::vector<RecordingProgress::Stage>{{kWriteStage, 4}}), progress.stages);

    const std::vector<InMemoryPlayer::Command> writes = SectorWrites();
    ASSERT_EQ(4u, writes.size());
    const uint64_t firsts[] = {0, 128, 256, 384};
    const uint32_t counts[] = {128, 128, 128, 1};
    for (size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(firsts[i], writes[i].firstSector);
        EXPECT_EQ(counts[i], writes[i].count);
    }
    std::vector<uint8_t> expected = image;
    expected.resize(3 * 65536 + 512, 0xFF);
    EXPECT_EQ(expected, player.drives[kDriveNumber].bytes);

    EXPECT_EQ(kVrOk, drive.VerifyComponent());
    EXPECT_EQ(8, progress.steps);
}

TEST_F(VrSystemDriveTest, SectorsLargerThanARunGoOnePerRun) {
    Prepare(300000, 131072, 3 * 131072);
    uint32_t steps = 0;
    ASSERT_EQ(kVrOk, drive.WriteComponent(steps));
    EXPECT_EQ(3u, steps);
    const std::vector<InMemoryPlayer::Command> writes = SectorWrites();
    ASSERT_EQ(3u, writes.size());
    for (size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(i, writes[i].firstSector);
        EXPECT_EQ(1u, writes[i].count);
    }
    EXPECT_EQ(kVrOk, drive.VerifyComponent());
}

TEST_F(VrSystemDriveTest, ReadBackDifferenceFailsAfterTheEarlierRunsWereStepped) {
    Prepare(150000, 512, 3 * 65536 + 512);
    RequirePlayersSize();
    uint32_t steps = 0;
    ASSERT_EQ(kVrOk, drive.WriteComponent(steps));
    const int32_t written = progress.steps;

    player.corruptReadOffset = 2 * 65536 + 7;
    EXPECT_EQ(kVrVerifyMismatch, drive.VerifyComponent());
    EXPECT_EQ(written + 2, progress.steps);
    EXPECT_EQ(1u, progress.stages.size());  // the caller sets the verify stage
    const CVrErrorRecord& record = updater.GetErrorRecord();
    EXPECT_EQ("CVrSystemDrive", record.GetObjectName());
    EXPECT_EQ(kVrVerifyMismatch, record.GetResultCode());
    EXPECT_EQ(kUsbMsc, record.GetComponentIndex());
}

TEST_F(VrSystemDriveTest, FirstFailureEndsTheWrite) {
    Prepare(150000, 512, 3 * 65536 + 512);
    player.failingCommand = 0;  // the product version
    uint32_t steps = 0;
    EXPECT_EQ(kVrCheckCondition, drive.WriteComponent(steps));
    EXPECT_EQ(1u, player.commands.size());
    EXPECT_EQ(0, progress.steps);

    player.commands.clear();
    player.failingCommand = 5;  // the third run
    EXPECT_EQ(kVrCheckCondition, drive.WriteComponent(steps));
    EXPECT_EQ(6u, player.commands.size());
    EXPECT_EQ(2, progress.steps);
}

TEST_F(VrSystemDriveTest, SectorTransfersUseTheDrivesSectorSize) {
    Prepare(1000, 512, 4096);
    uint32_t steps = 0;
    ASSERT_EQ(kVrOk, drive.WriteComponent(steps));

    CVrByteArray tooLong(2 * 512 + 1);
    EXPECT_EQ(kVrDataTooLong, drive.WriteSectors(4, 2, tooLong));
    CVrByteArray data(2 * 512);
    data.SetBytes(image.data(), 1000, 0);
    ASSERT_EQ(kVrOk, drive.WriteSectors(4, 2, data));
    CVrByteArray back(2 * 512);
    ASSERT_EQ(kVrOk, drive.ReadSectors(4, 2, back));
    EXPECT_TRUE(back.IsEqual(data));
    EXPECT_EQ(0, std::memcmp(&player.drives[kDriveNumber].bytes[2048], image.data(), 1000));
}

TEST_F(VrSystemDriveTest, AttachingSizesTheDriveByItsImageAndForgetsAnOldEntry) {
    Prepare(1000, 512, 4096);
    VrLogicalTableEntry required;
    drive.GetRequiredEntry(&required);
    EXPECT_EQ(1000u, required.size);  // the shipped reserve is 0

    // A player without this drive in its table: nothing may reach drive 3.
    ASSERT_EQ(kVrOk, drive.Attach(&player, updater.GetContext(), nullptr));
    EXPECT_EQ(kVrNoDriveNumber, drive.GetCurrentEntry().driveNumber);

    // Without a player the drive still has its file, but cannot send.
    ASSERT_EQ(kVrOk, drive.Attach(nullptr, updater.GetContext(), &entry));
    CVrVersionInfo version;
    EXPECT_EQ(kVrOk, drive.GetFileVersion(version));
    EXPECT_EQ(CVrVersionInfo(1, 5, 7), version);
    uint32_t steps = 0;
    EXPECT_EQ(kVrNoDeviceObject, drive.Erase());
    EXPECT_EQ(kVrNoDeviceObject, drive.WriteComponent(steps));

    CVrSystemDrive missing;
    missing.SetIndex(4);
    EXPECT_EQ(kVrFileOpenFailed, missing.Attach(&player, updater.GetContext(), &entry));
    EXPECT_EQ(kVrFileOpenFailed, missing.GetLastResult());
}
