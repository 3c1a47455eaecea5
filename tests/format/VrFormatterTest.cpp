#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/engine/EngineTestBed.h"
#include "tests/format/FormatMedium.h"
#include "updater/base/VrResult.h"
#include "updater/format/VrDisk.h"
#include "updater/format/VrFormatter.h"

namespace {

SimVersion Windows98() {
    SimVersion version;
    version.platformId = VER_PLATFORM_WIN32_WINDOWS;
    version.major = 4;
    version.minor = 10;
    version.build = 1998;
    return version;
}

// A player's data drive of `sectors` sectors behind the medium double, on a
// simulated PC running XP unless told otherwise.
class FormatterTest : public ::testing::Test {
protected:
    void Attach(uint32_t sectors, const SimVersion& version = SimVersion()) {
        bed.machine.SetVersion(version);
        medium = std::make_unique<FormatMedium>(bed.updater.GetContext(), sectors);
    }

    int32_t Format(bool tableUnreadable = false, const uint8_t* label = nullptr, uint32_t labelLength = 0) {
        CVrFormatter formatter(bed.updater.GetContext(), *medium, false);
        return formatter.Format(tableUnreadable, label, labelLength);
    }

    std::vector<std::string> Transfers() const {
        std::vector<std::string> transfers;
        for (const std::string& entry : medium->log) {
            if (entry.rfind("Write", 0) == 0 || entry.rfind("Read", 0) == 0) transfers.push_back(entry);
        }
        return transfers;
    }

    std::vector<uint8_t> Image(const CVrDisk::SectorImage& image) const { return {image.begin(), image.end()}; }

    EngineTestBed bed;
    std::unique_ptr<FormatMedium> medium;
};

using Stage = RecordingProgress::Stage;

}  // namespace

// Windows 2000/XP: the volume is let go, the whole disk is partitioned and
// given its first track, then the volume is taken back for the rest.
TEST_F(FormatterTest, NtPartitionsTheDiskThenWritesThroughTheVolume) {
    Attach(65536);
    ASSERT_EQ(Format(), kVrOk);
    EXPECT_EQ(medium->Controls(),
              (std::vector<std::string>{"Command 37", "Unlock(0)", "Close", "FindByPhysicalDrive", "Lock(0)",
                                        "GetDriveGeometry", "SetDriveLayout(32)", "Unlock(0)", "Close", "Open",
                                        "Lock(0)", "Release(0)"}));
    EXPECT_EQ(medium->layoutGeometry.cylinders, medium->diskGeometry.cylinders);
    EXPECT_EQ(medium->layoutGeometry.sectorsPerTrack, medium->diskGeometry.sectorsPerTrack);
    // MBR and first track on the disk; boot sector, FATs of 254 sectors in
    // runs of 128, and the root area at volume addresses.
    EXPECT_EQ(Transfers(), (std::vector<std::string>{
                               "Write 0+1", "Read 0+1", "Write 1+31", "Read 1+31",
                               "Write 0+1", "Read 0+1",
                               "Write 1+128", "Read 1+128", "Write 129+126", "Read 129+126",
                               "Write 255+128", "Read 255+128", "Write 383+126", "Read 383+126",
                               "Write 509+32", "Read 509+32"}));
    EXPECT_EQ(bed.progress.stages, (std::vector<Stage>{{30, 2}, {31, 2}, {31, 2}, {29, 2}, {32, 2}, {34, 4},
                                                       {35, 4}, {44, 2}}));
    // Capacity, layout, and two per run.
    EXPECT_EQ(bed.progress.steps, 2 + 8 * 2);

    CVrDisk disk(65536, 512, false);
    EXPECT_EQ(medium->Sector(0), Image(disk.GetMbr()));
    EXPECT_EQ(medium->Sector(32), Image(disk.GetBootSector()));
    for (uint32_t fat : {33u, 33u + 254u}) {
        const std::vector<uint8_t> first = medium->Sector(fat);
        EXPECT_EQ(std::vector<uint8_t>(first.begin(), first.begin() + 5), (std::vector<uint8_t>{0xF8, 0xFF, 0xFF, 0xFF, 0}));
    }
    // The root area's first entry: no name, the label attribute.
    std::vector<uint8_t> root(512, 0);
    root[11] = 0x08;
    EXPECT_EQ(medium->Sector(33 + 2 * 254), root);
}

// Windows 9x addresses the unit as a whole all along, and zeroes the tail last.
TEST_F(FormatterTest, Win9xWritesTheSameMediumAsNt) {
    Attach(1000003);
    ASSERT_EQ(Format(), kVrOk);
    const std::map<uint32_t, std::vector<uint8_t>> onNt = medium->sectors;

    Attach(1000003, Windows98());
    ASSERT_EQ(Format(), kVrOk);
    EXPECT_EQ(medium->Controls(), (std::vector<std::string>{"Command 37", "LockForFormat(0)", "Release(0)"}));
    EXPECT_EQ(Transfers().end()[-2], "Write 1000000+3");
    EXPECT_TRUE(medium->sectors == onNt);

    // FAT32: boot sector, FSInfo, third sector, their copies from sector 6.
    CVrDisk disk(1000003, 512, false);
    for (uint32_t start : {50u, 56u}) {
        EXPECT_EQ(medium->Sector(start), Image(disk.GetBootSector()));
        EXPECT_EQ(medium->Sector(start + 1), Image(disk.GetFsInfo()));
        EXPECT_EQ(medium->Sector(start + 2), Image(disk.GetThirdBootSector()));
    }
    // Two FATs of 976 sectors after 32 reserved; then one cluster of root.
    for (uint32_t fat : {82u, 82u + 976u}) EXPECT_EQ(medium->Sector(fat)[11], 0x0F);
    EXPECT_EQ(medium->Sector(82 + 2 * 976)[11], 0x08);
    EXPECT_EQ(medium->sectors.count(82 + 2 * 976 + 8), 0u);
}

TEST_F(FormatterTest, Fat32StagesCoverTheReservedSectors) {
    Attach(262144);
    ASSERT_EQ(Format(), kVrOk);
    // 1020 sectors per FAT: seven full runs and a short one.
    EXPECT_EQ(bed.progress.stages,
              (std::vector<Stage>{{30, 2}, {31, 2}, {31, 2}, {29, 2}, {32, 2}, {32, 2}, {32, 2}, {31, 2}, {32, 2},
                                  {32, 2}, {32, 2}, {31, 2}, {34, 16}, {35, 16}, {44, 2}}));
    EXPECT_EQ(medium->sectors.count(32 + 9 + 22), 1u);   // last reserved sector
    EXPECT_EQ(medium->Sector(32 + 32)[0], 0xF8);          // first FAT
}

TEST_F(FormatterTest, LabelBeginsTheRootArea) {
    Attach(8192);
    const uint8_t label[] = {'M', 'Y', ' ', 'P', 'L', 'A', 'Y', 'E', 'R', ' ', ' '};
    ASSERT_EQ(Format(0, label, sizeof(label)), kVrOk);
    // FAT12: 4 sectors per FAT after the boot sector.
    const std::vector<uint8_t> entry = medium->Sector(32 + 1 + 8);
    EXPECT_EQ(std::string(entry.begin(), entry.begin() + 11), "MY PLAYER  ");
    EXPECT_EQ(entry[11], 0x08);
    EXPECT_EQ(medium->Sector(33)[2], 0xFF);
    EXPECT_EQ(medium->Sector(33)[3], 0x00);
}

TEST_F(FormatterTest, ReadBackMismatchStopsAfterThatRun) {
    Attach(65536);
    // The second run of the first FAT, on the disk.
    medium->corruptSector = 32 + 129 + 5;
    EXPECT_EQ(Format(), kVrVerifyMismatch);
    EXPECT_EQ(medium->log.end()[-2], "Write 129+126");
    EXPECT_EQ(medium->log.back(), "Read 129+126");
    EXPECT_EQ(bed.updater.GetErrorRecord().GetObjectName(), "CVrFormatter");
    EXPECT_EQ(bed.updater.GetErrorRecord().GetResultCode(), kVrVerifyMismatch);
}

// With the table unreadable, the 9x lock and unlock may fail; without it,
// their failures end the format.
TEST_F(FormatterTest, Win9xLockAndReleaseRulesFollowTheTableFlag) {
    Attach(65536, Windows98());
    medium->failures = {{"LockForFormat(1)", kVrLockFailed}, {"Release(1)", kVrUnlockFailed}};
    EXPECT_EQ(Format(1), kVrOk);
    EXPECT_EQ(medium->Controls().back(), "Release(1)");
    EXPECT_EQ(medium->Sector(32)[510], 0x55);

    Attach(65536, Windows98());
    medium->failures = {{"LockForFormat(0)", kVrLockFailed}};
    EXPECT_EQ(Format(0), kVrLockFailed);
    EXPECT_TRUE(Transfers().empty());

    Attach(65536, Windows98());
    medium->failures = {{"Release(0)", kVrUnlockFailed}};
    EXPECT_EQ(Format(0), kVrUnlockFailed);
}

TEST_F(FormatterTest, NtPreparationFailureWritesNothing) {
    Attach(65536);
    medium->failures = {{"SetDriveLayout(32)", kVrControlFailed}};
    EXPECT_EQ(Format(), kVrControlFailed);
    EXPECT_TRUE(Transfers().empty());
}

// A medium the file system cannot serve is refused before the drive is even
// prepared, and the report names the refusal and the medium.
TEST_F(FormatterTest, RefusedMediumIsNeverTouched) {
    for (const SimVersion& version : {SimVersion(), Windows98()}) {
        Attach(40, version);
        EXPECT_EQ(Format(), kVrBeyondFat);
        EXPECT_EQ(medium->log, (std::vector<std::string>{"Command 37"}));
        const CVrErrorRecord& record = bed.updater.GetErrorRecord();
        EXPECT_EQ(record.GetObjectName(), "CVrFormatter");
        EXPECT_EQ(record.GetResultCode(), kVrBeyondFat);
        EXPECT_EQ(record.GetDetail(), L"40 x 512");
    }
    // 2^32 sectors: the last block address is the largest 32-bit number.
    Attach(0);
    EXPECT_EQ(Format(), kVrBeyondFat);
    EXPECT_EQ(medium->log.size(), 1u);
    EXPECT_EQ(bed.updater.GetErrorRecord().GetDetail(), L"4294967296 x 512");
}
