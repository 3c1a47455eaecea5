// Whole plain downloads: the updater, the transport, the simulated NT volume
// and the simulated player, from OpenDevice to the settings file.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sim/player/SimAllocation.h"
#include "tests/download/DownloadTestBed.h"
#include "updater/engine/VrUsbMscDev.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace {

const uint8_t kTags[] = {0x50, 0x01, 0x00, 0x02};  // components 1 to 4

class PlainDownload : public ::testing::Test {
protected:
    explicit PlainDownload(SimWindows windows = SimWindows::kXp) : bed(windows) {}

    DownloadTestBed bed;

    // The versions the updater shows for the player (current) and the files (new).
    void ExpectVersions(bool playerHasShipped) {
        const CVrVersionInfoPtrArray* current = nullptr;
        const CVrVersionInfoPtrArray* next = nullptr;
        ASSERT_EQ(kVrOk, bed.updater.GetVersionArrays(current, next));
        ASSERT_TRUE(current && next);
        for (uint32_t i = 0; i < 4; ++i) {
            CVrVersionInfo* onPlayer = nullptr;
            CVrVersionInfo* inFile = nullptr;
            current->GetAt(i, onPlayer);
            next->GetAt(i, inFile);
            const SimVersionRecord& shipped = bed.Shipped(kTags[i]).componentVersion;
            EXPECT_EQ(CVrVersionInfo(shipped.major, shipped.minor, shipped.revision), *inFile) << i;
            EXPECT_EQ(playerHasShipped, *onPlayer == *inFile) << i;
        }
    }
};

// On every Windows the updater was made for: XP's pass-through, and the
// ASPI layer with the DOS locks of 98 and Me.
class PlainDownloadOn : public PlainDownload, public ::testing::WithParamInterface<SimWindows> {
protected:
    PlainDownloadOn() : PlainDownload(GetParam()) {}
};

TEST_P(PlainDownloadOn, AnOldPlayerEndsWithTheShippedFirmwareAndNoSettingsFile) {
    bed.AttachPlayer(FirmwareChoice::kOld, 16, {L"SETTINGS.DAT", L"SONG.MP3"});
    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    EXPECT_EQ(L'E', bed.updater.GetDriveLetter());
    EXPECT_EQ(0x0003, bed.updater.GetChipRevision());
    ExpectVersions(false);

    EXPECT_TRUE(bed.updater.CanDownloadWithoutFormat());
    ASSERT_EQ(kVrOk, bed.updater.PlainDownload());
    ExpectVersions(true);

    // Each system drive holds its image, then erased flash to the drive's end.
    for (uint8_t tag : kTags) {
        const SimLogicalDrive* drive = bed.SystemDrive(tag);
        ASSERT_NE(nullptr, drive);
        const ShippedComponent& component = bed.Shipped(tag);
        std::vector<BYTE> bytes = bed.DriveBytes(*drive);
        ASSERT_GT(bytes.size(), component.image.size());
        EXPECT_TRUE(std::equal(component.image.begin(), component.image.end(), bytes.begin())) << int(tag);
        EXPECT_TRUE(std::all_of(bytes.begin() + component.image.size(), bytes.end(), [](BYTE b) { return b == 0xFF; }));
        EXPECT_EQ(component.componentVersion, drive->componentVersion);
        EXPECT_EQ(component.productVersion, drive->productVersion);
    }

    EXPECT_FALSE(bed.volume->Locked());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, bed.host.GetFileAttributes(L"E:\\SETTINGS.DAT"));
    EXPECT_EQ(kVrOk, bed.updater.DeleteSettingsFile());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, bed.host.GetFileAttributes(L"E:\\SETTINGS.DAT"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, bed.host.GetFileAttributes(L"E:\\SONG.MP3"));
    // Gone already: no failure.
    EXPECT_EQ(kVrOk, bed.updater.DeleteSettingsFile());
}

INSTANTIATE_TEST_SUITE_P(Windows, PlainDownloadOn,
                         ::testing::Values(SimWindows::kXp, SimWindows::k98, SimWindows::kMe));

TEST_F(PlainDownload, TheStepsAnnouncedAreTheStepsTaken) {
    bed.AttachPlayer(FirmwareChoice::kOld);
    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    ASSERT_EQ(kVrOk, bed.updater.PlainDownload());

    // Every stage advances the overall bar once; the dialog adds the final one.
    EXPECT_EQ(14, bed.progress.total);
    EXPECT_EQ(static_cast<size_t>(bed.progress.total - 1), bed.progress.stages.size());
    int32_t runs = 0;
    for (uint32_t index = 1; index <= 4; ++index) {
        const StageRecorder::Stage* erase = bed.progress.Find(kVrStageEraseComponent + index);
        const StageRecorder::Stage* write = bed.progress.Find(kVrStageWriteComponent + index);
        ASSERT_TRUE(erase && write) << index;
        EXPECT_EQ(erase->range, erase->steps);
        EXPECT_EQ(write->range, write->steps);
        runs += write->range;
    }
    const StageRecorder::Stage* verify = bed.progress.Find(kVrStageVerify);
    ASSERT_NE(nullptr, verify);
    EXPECT_EQ(runs, verify->range);
    EXPECT_EQ(runs, verify->steps);
    EXPECT_GT(bed.progress.pumps, 0);  // the interface was kept alive during commands
}

TEST_F(PlainDownload, ALayoutTooSmallForTheNewComponentsIsRefused) {
    bed.AttachPlayerWithTooSmallLayout();
    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    EXPECT_FALSE(bed.updater.CanDownloadWithoutFormat());
}

// Every drive is large enough, but the player has one the new components do
// not know of: only a re-partition gives the table they need.
TEST_F(PlainDownload, ALayoutWithAnExtraDriveIsNoFit) {
    SimPlayerState state(uint64_t(16) << 20);
    ASSERT_EQ("", InstallFirmware(state, FirmwareChoice::kOld, bed.shipped));
    std::vector<SimAllocationEntry> entries;
    for (const SimLogicalDrive& drive : state.drives) {
        entries.push_back({drive.type, drive.tag, drive.type == SimLogicalDrive::kDataType ? 0 : drive.size});
    }
    entries.push_back({SimLogicalDrive::kSystemType, 0x33, 64 << 10});
    state.drives.clear();
    ASSERT_EQ(0, SimAllocateDrives(state, entries));
    bed.AttachPlayer(std::move(state));

    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    EXPECT_FALSE(bed.updater.CanDownloadWithoutFormat());
}

TEST_F(PlainDownload, AnUnreadableTableOpensWithMinus43AndNoDeviceVersions) {
    SimPlayerState state(uint64_t(16) << 20);
    ASSERT_EQ("", InstallFirmware(state, FirmwareChoice::kOld, bed.shipped));
    state.tableDamaged = true;
    bed.AttachPlayer(std::move(state));

    EXPECT_EQ(kVrTableUnreadable, bed.updater.OpenDevice());
    EXPECT_TRUE(bed.updater.GetDevice()->IsTableUnreadable());
    const CVrVersionInfoPtrArray* current = nullptr;
    const CVrVersionInfoPtrArray* next = nullptr;
    ASSERT_EQ(kVrOk, bed.updater.GetVersionArrays(current, next));
    for (uint32_t i = 0; i < 4; ++i) {
        CVrVersionInfo* onPlayer = nullptr;
        current->GetAt(i, onPlayer);
        EXPECT_EQ(CVrVersionInfo(), *onPlayer);
    }
    EXPECT_FALSE(bed.updater.CanDownloadWithoutFormat());
}

TEST_F(PlainDownload, TheSearchPassesOverDrivesThatAreNoPlayer) {
    auto floppy = SimAttachFloppy(bed.machine);
    SimAttachPlayer(bed.machine, L'D', SimMakeOtherDisk("Other   ", "USB Flash Disk"));
    auto closed = SimAttachClosedDrive(bed.machine, L'F');
    // A player's twin that the system shows as a fixed disk is not taken either.
    SimPlayerState fixedTwin(uint64_t(16) << 20);
    ASSERT_EQ("", InstallFirmware(fixedTwin, FirmwareChoice::kOld, bed.shipped));
    SimAttachPlayer(bed.machine, L'G', std::make_shared<SimFlashPlayer>(std::move(fixedTwin)), DRIVE_FIXED);

    EXPECT_EQ(kVrNoPlayer, bed.updater.OpenDevice());
    EXPECT_EQ(0u, floppy->Attempts());
    EXPECT_EQ(1u, closed->Attempts());

    bed.AttachPlayer(FirmwareChoice::kOld);  // at E:
    EXPECT_EQ(kVrOk, bed.updater.OpenDevice());
    EXPECT_EQ(L'E', bed.updater.GetDriveLetter());
}

TEST_F(PlainDownload, WithoutAPlayerTheFileVersionsAreStillKnown) {
    EXPECT_EQ(kVrNoPlayer, bed.updater.OpenDevice());
    ExpectVersions(false);
    CVrVersionInfo current, next;
    EXPECT_EQ(kVrNoPlayer, bed.updater.GetProductVersions(current, next));
    EXPECT_EQ(CVrVersionInfo(), current);
    const SimVersionRecord& product = bed.Shipped(0x00).productVersion;
    EXPECT_EQ(CVrVersionInfo(product.major, product.minor, product.revision), next);
}

}  // namespace
