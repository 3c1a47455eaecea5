// Full downloads on the simulated PC: the flash re-partitioned, every
// component written, the data drive formatted and checked by dosfstools and
// mtools; and the choice between a plain and a full download.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/sim/player/SimFat.h"
#include "tests/download/DownloadTestBed.h"
#include "updater/engine/VrUsbMscDev.h"
#include "updater/engine/VrDownloadRun.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"
#include "updater/format/VrDisk.h"

namespace fs = std::filesystem;

namespace {

const uint8_t kTags[] = {0x50, 0x01, 0x00, 0x02};

// Stands in for the download dialog: answers the question as told and
// keeps what it was asked and shown.
class RecordingWindow : public VrDownloadWindow {
public:
    explicit RecordingWindow(bool answer) : answer_(answer) {}
    bool AskYesNo(uint32_t stringId) override {
        questions.push_back(stringId);
        return answer_;
    }
    void Report(int32_t code) override { reports.push_back(code); }
    void RefreshVersions() override { ++refreshes; }

    std::vector<uint32_t> questions;
    std::vector<int32_t> reports;
    int refreshes = 0;

private:
    bool answer_;
};

std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return output;
    char line[512];
    while (fgets(line, sizeof line, pipe)) output += line;
    status = pclose(pipe);
    return output;
}

bool HaveTool(const char* tool) {
    int status = 0;
    RunCommand(std::string("command -v ") + tool, status);
    return status == 0;
}

class FullDownload : public ::testing::Test {
protected:
    explicit FullDownload(SimWindows windows = SimWindows::kXp) : bed(windows) {}

    DownloadTestBed bed;

    // The data drive's volume (its first partition) as a sparse image file:
    // only what the flash holds is written, the rest reads as zeros.
    fs::path ExportVolume() {
        SimVolumeExtent extent;
        EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), SimFindVolume(*bed.player, extent));
        fs::path image = bed.folder.Path() / "volume.img";
        std::ofstream out(image, std::ios::binary | std::ios::trunc);
        const uint32_t sectorSize = bed.player->MediumSectorSize();
        const uint32_t run = 128;
        std::vector<BYTE> buffer(size_t(run) * sectorSize);
        std::vector<BYTE> erased(buffer.size(), 0xFF);
        for (uint64_t sector = 0; sector < extent.sectorCount; sector += run) {
            uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(run, extent.sectorCount - sector));
            bed.player->ReadMedium(extent.firstSector + sector, count, buffer.data());
            size_t bytes = size_t(count) * sectorSize;
            if (std::equal(buffer.begin(), buffer.begin() + bytes, erased.begin())) continue;
            out.seekp(static_cast<std::streamoff>(sector * sectorSize));
            out.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(bytes));
        }
        out.close();
        fs::resize_file(image, extent.sectorCount * sectorSize);
        return image;
    }

    // Every line fsck.fat prints about the volume is one it prints for every
    // volume of this layout: the boot sector's volume label of 11 zero bytes
    // (kept: the player may rely on it) and, for FAT32, the FSInfo free count
    // left "unknown" (0xFFFFFFFF), which the FAT layout allows.
    static std::vector<std::string> UnexpectedRemarks(const std::string& report) {
        std::vector<std::string> unexpected;
        std::istringstream lines(report);
        std::string line;
        while (std::getline(lines, line)) {
            bool known = line.empty() || line.rfind("fsck.fat ", 0) == 0 ||
                         line == "Label '' stored in boot sector is not valid." ||
                         line == "  Auto-removing label from boot sector." ||
                         line.rfind("Free cluster summary uninitialized (should be ", 0) == 0 ||
                         line == "Leaving filesystem unchanged." || line.find(" files, ") != std::string::npos;
            if (!known) unexpected.push_back(line);
        }
        return unexpected;
    }

    // dosfstools finds nothing wrong but the remarks above and reports the
    // FAT type the layout chose; mtools writes a file and reads it back.
    void CheckWithTools(const char* fatBits) {
        if (!HaveTool("fsck.fat") || !HaveTool("mcopy")) GTEST_SKIP() << "dosfstools and mtools are not installed";
        fs::path volume = ExportVolume();
        int status = 0;
        std::string verbose = RunCommand("fsck.fat -n -v " + volume.string(), status);
        EXPECT_NE(std::string::npos, verbose.find(std::string("2 FATs, ") + fatBits + " bit entries")) << verbose;
        std::string report = RunCommand("fsck.fat -n " + volume.string(), status);
        EXPECT_TRUE(UnexpectedRemarks(report).empty()) << report;
        EXPECT_NE(std::string::npos, report.find("Label '' stored in boot sector is not valid")) << report;

        fs::path song = bed.folder.Path() / "song.mp3";
        std::ofstream(song, std::ios::binary) << std::string(70000, 'x') << "end";
        std::string image = volume.string();
        RunCommand("mcopy -i " + image + " " + song.string() + " ::/SONG.MP3", status);
        EXPECT_EQ(0, status);
        fs::path back = bed.folder.Path() / "back.mp3";
        RunCommand("mcopy -i " + image + " ::/SONG.MP3 " + back.string(), status);
        EXPECT_EQ(0, status);
        EXPECT_EQ(fs::file_size(song), fs::file_size(back));
        std::string checked = RunCommand("fsck.fat -n " + image, status);
        EXPECT_TRUE(UnexpectedRemarks(checked).empty()) << checked;
    }

    void ExpectShippedFirmware() {
        for (uint8_t tag : kTags) {
            const SimLogicalDrive* drive = bed.SystemDrive(tag);
            ASSERT_NE(nullptr, drive) << int(tag);
            const ShippedComponent& component = bed.Shipped(tag);
            std::vector<BYTE> bytes = bed.DriveBytes(*drive);
            EXPECT_TRUE(std::equal(component.image.begin(), component.image.end(), bytes.begin())) << int(tag);
            EXPECT_EQ(component.componentVersion, drive->componentVersion);
        }
    }

    // A player whose data drive will be `dataSectors` sectors after the
    // full download: the system drives' sizes plus that.
    void AttachPlayerForDataDrive(uint64_t dataSectors, FirmwareChoice firmware = FirmwareChoice::kNone) {
        SimPlayerState probe(uint64_t(1) << 36);
        uint64_t system = 0;
        for (const ShippedComponent& component : bed.shipped) {
            uint64_t sectors = (component.image.size() + probe.systemSectorSize - 1) / probe.systemSectorSize;
            system += sectors * probe.systemSectorSize;
        }
        SimPlayerState state(system + dataSectors * probe.dataSectorSize);
        ASSERT_EQ("", InstallFirmware(state, firmware, bed.shipped));
        bed.AttachPlayer(std::move(state));
    }

    void FullDownloadOf(uint64_t dataSectors, const char* fatBits) {
        AttachPlayerForDataDrive(dataSectors);
        ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
        RecordingWindow window(true);
        bool box = true;
        ASSERT_EQ(kVrOk, VrRunDownload(bed.updater, window, box, false));
        ASSERT_NE(nullptr, bed.player->State().DataDrive());
        EXPECT_EQ(dataSectors, bed.player->State().DataDrive()->SectorCount());
        ExpectShippedFirmware();
        CheckWithTools(fatBits);
    }
};

// Windows 98 and Me format through the ASPI layer under the DOS format lock.
class FullDownloadOn9x : public FullDownload, public ::testing::WithParamInterface<SimWindows> {
protected:
    FullDownloadOn9x() : FullDownload(GetParam()) {}
};

TEST_P(FullDownloadOn9x, Of64MiBUnderTheFormatLock) {
    FullDownloadOf(131072, "32");
    int formatLocks = 0, locks = 0, unlocks = 0;
    for (const SimVwin32::Request& request : bed.machine.Vwin32().Requests()) {
        if (!request.succeeded) continue;
        if (request.minor == 0x4A) ++locks, formatLocks += request.permissions == 4;
        if (request.minor == 0x6A) ++unlocks;
    }
    EXPECT_EQ(1, formatLocks);
    EXPECT_EQ(2, locks);
    EXPECT_EQ(locks, unlocks);
    EXPECT_FALSE(bed.volume->Locked());
    EXPECT_GT(bed.machine.Aspi().Asked().executes, 0u);
}

INSTANTIATE_TEST_SUITE_P(Windows98AndMe, FullDownloadOn9x, ::testing::Values(SimWindows::k98, SimWindows::kMe));

TEST_F(FullDownload, Of4MiB) { FullDownloadOf(8192, "12"); }
TEST_F(FullDownload, Of32MiB) { FullDownloadOf(65536, "16"); }
TEST_F(FullDownload, Of64MiB) { FullDownloadOf(131072, "32"); }
TEST_F(FullDownload, Of128MiB) { FullDownloadOf(262144, "32"); }
TEST_F(FullDownload, Of1GiB) { FullDownloadOf(2097152, "32"); }
TEST_F(FullDownload, OfJustUnder4GiB) { FullDownloadOf(8388607, "32"); }  // 4 GiB less one sector

// A full download that would leave a data drive no layout serves is refused
// before the player is touched: its table, its versions and every byte of
// its flash stay as they were, and the report names the refusal.
class RefusedFullDownload : public FullDownload {
protected:
    struct Snapshot {
        std::vector<std::string> drives;
        std::map<uint64_t, std::vector<BYTE>> flash;
        bool operator==(const Snapshot& other) const { return drives == other.drives && flash == other.flash; }
    };

    Snapshot Take() {
        Snapshot snapshot;
        const SimPlayerState& state = bed.player->State();
        for (const SimLogicalDrive& d : state.drives) {
            snapshot.drives.push_back(std::to_string(d.number) + " " + std::to_string(d.type) + " " +
                                      std::to_string(d.tag) + " " + std::to_string(d.offset) + "+" +
                                      std::to_string(d.size) + " " + std::to_string(d.componentVersion.major) + "." +
                                      std::to_string(d.componentVersion.minor));
        }
        snapshot.flash = state.flash.Chunks();
        return snapshot;
    }

    void ExpectRefused(int32_t code, bool forceFat16) {
        ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
        bed.updater.SetForceFat16(forceFat16);
        const Snapshot before = Take();
        RecordingWindow window(true);
        bool box = true;
        EXPECT_EQ(code, VrRunDownload(bed.updater, window, box, false));
        EXPECT_EQ(code, bed.updater.GetErrorRecord().GetResultCode());
        EXPECT_EQ("CVrFormatter", bed.updater.GetErrorRecord().GetObjectName());
        EXPECT_TRUE(Take() == before);
        EXPECT_EQ(nullptr, bed.progress.Find(kVrStageEraseComponent + 1));
        EXPECT_FALSE(bed.volume->Locked());  // the finish still ran
    }
};

TEST_F(RefusedFullDownload, ADataDriveOfMoreSectorsThanFatCounts) {
    AttachPlayerForDataDrive((uint64_t(1) << 32) + 64, FirmwareChoice::kOld);
    ExpectRefused(kVrBeyondFat, false);
}

// FAT16 would hold the data drive as the player rounds its system drives
// (2 KiB sectors), but not if it rounded them to 64 KiB, which players may:
// the worst case decides.
TEST_F(RefusedFullDownload, ForcedFat16InTheWorstCaseOfThePlayersRounding) {
    const uint64_t sectors = 4215;
    ASSERT_EQ(kVrOk, VrCheckLayout(sectors, 512, true));
    AttachPlayerForDataDrive(sectors, FirmwareChoice::kOld);
    ExpectRefused(kVrFat16CannotHold, true);
}

// The new components fill the flash so that no data drive is left: the
// player would refuse the allocation, but only after the erase.
TEST_F(RefusedFullDownload, NewComponentsThatLeaveNoDataDrive) {
    SimPlayerState state(uint64_t(4) << 20);
    ASSERT_EQ("", InstallFirmware(state, FirmwareChoice::kOld, bed.shipped, 0, LayoutChoice::kTooSmall));
    bed.AttachPlayer(std::move(state));
    ExpectRefused(kVrBeyondFat, false);
}

TEST_F(FullDownload, ForcedFat16WhereEveryRoundingLeavesItRoom) {
    AttachPlayerForDataDrive(4400, FirmwareChoice::kOld);
    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    bed.updater.SetForceFat16(true);
    RecordingWindow window(true);
    bool box = true;
    ASSERT_EQ(kVrOk, VrRunDownload(bed.updater, window, box, false));
    EXPECT_EQ(4400u, bed.player->State().DataDrive()->SectorCount());
    CheckWithTools("16");
}

TEST_F(FullDownload, AnIncompatibleLayoutUnderNoQuestionsIsRebuiltWithoutAsking) {
    bed.AttachPlayerWithTooSmallLayout();
    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    RecordingWindow window(false);
    bool box = false;
    EXPECT_EQ(kVrOk, VrRunDownload(bed.updater, window, box, true));
    EXPECT_TRUE(box);
    EXPECT_TRUE(window.questions.empty());
    ExpectShippedFirmware();
    ASSERT_FALSE(bed.progress.stages.empty());
    EXPECT_EQ(kVrStageCompleted, bed.progress.stages.back().id);
}

TEST_F(FullDownload, AnsweringNoWritesNothingAndSaysSo) {
    bed.AttachPlayerWithTooSmallLayout();
    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    SimVolumeRequests before = bed.volume->Requests();
    RecordingWindow window(false);
    bool box = false;
    EXPECT_EQ(kVrOk, VrRunDownload(bed.updater, window, box, false));
    EXPECT_FALSE(box);
    ASSERT_EQ(1u, window.questions.size());
    EXPECT_EQ(161u, window.questions[0]);
    EXPECT_EQ(before.lockAttempts, bed.volume->Requests().lockAttempts);  // never opened for writing
    EXPECT_EQ(0, bed.SystemDrive(0x50)->componentVersion.major);        // nothing written
    ASSERT_FALSE(bed.progress.stages.empty());
    EXPECT_EQ(kVrStageNothingWritten, bed.progress.stages.back().id);
}

TEST_F(FullDownload, APlayerWithAnUnreadableTableIsRebuilt) {
    SimPlayerState state(uint64_t(16) << 20);
    ASSERT_EQ("", InstallFirmware(state, FirmwareChoice::kOld, bed.shipped));
    state.tableDamaged = true;
    bed.AttachPlayer(std::move(state));
    EXPECT_EQ(kVrTableUnreadable, bed.updater.OpenDevice());
    RecordingWindow window(true);
    bool box = false;
    EXPECT_EQ(kVrOk, VrRunDownload(bed.updater, window, box, false));
    EXPECT_EQ(1u, window.questions.size());  // the plain download was refused
    EXPECT_TRUE(box);
    EXPECT_FALSE(bed.player->State().tableDamaged);
    ExpectShippedFirmware();
}

TEST_F(FullDownload, AFormatThatFailsStopsAtOnceAndTheNextFullDownloadRebuilds) {
    AttachPlayerForDataDrive(65536);
    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    // The player numbers its drives in allocation order: the boot manager 0,
    // the data drive 1.
    bed.player->Faults().CorruptReadBack(1);
    RecordingWindow window(true);
    bool box = true;
    EXPECT_EQ(kVrVerifyMismatch, VrRunDownload(bed.updater, window, box, false));
    EXPECT_EQ("CVrFormatter", bed.updater.GetErrorRecord().GetObjectName());
    ASSERT_FALSE(bed.progress.stages.empty());
    EXPECT_EQ(kVrStageFailed, bed.progress.stages.back().id);

    bed.player->Faults().Clear();
    ASSERT_EQ(kVrOk, bed.updater.OpenDevice());
    EXPECT_EQ(kVrOk, VrRunDownload(bed.updater, window, box, false));
    CheckWithTools("16");
}

}  // namespace
