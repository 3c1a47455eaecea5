// The state file: a player saved and loaded again is the same player, and a
// damaged file is refused without reading past its end.
#include "PlayerTestSupport.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/sim/player/SimCrc32.h"
#include "platform/sim/player/SimStateFile.h"

namespace fs = std::filesystem;

using namespace player_test;

namespace {

class PlayerStateFile : public ::testing::Test {
protected:
    fs::path folder;
    fs::path file;

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vr-player-state-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        file = folder / "player.state";
    }
    void TearDown() override { fs::remove_all(folder); }

    Bytes FileBytes() {
        std::ifstream in(file, std::ios::binary);
        return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    void WriteFile(const Bytes& bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    // A small player: a table, a stamped version, one sector written.
    SimPlayerState SmallPlayer() {
        SimFlashPlayer player{SimPlayerState(8 << 20)};
        EXPECT_TRUE(IsGood(Allocate(player, {{1, 0x50, 4096}, {0, 0x0A, 0}})));
        EXPECT_TRUE(IsGood(Send(player, SectorBlock(0xC1, 0x23, 1, 3, 1), 0, Bytes(512, 0x5C))));
        return std::move(player.State());
    }
};

// Little-endian u32 at the end: the checksum over everything before.
void Reseal(Bytes& bytes) {
    uint32_t crc = SimCrc32(0, bytes.data(), bytes.size() - 4);
    for (size_t i = bytes.size() - 4; i < bytes.size(); ++i, crc >>= 8) bytes[i] = static_cast<BYTE>(crc & 0xFF);
}

}  // namespace

TEST_F(PlayerStateFile, ASavedPlayerLoadsAsTheSamePlayer) {
    SimPlayerState original(256 << 20);
    original.identity.revision = "2.10";
    original.chipRevision = 0x0104;
    original.mode = SimPlayerMode::kRecovery;
    original.dataSectorSize = 2048;
    original.systemSectorSize = 4096;
    SimFlashPlayer player{std::move(original)};
    ASSERT_TRUE(IsGood(Allocate(player, UpdaterTable())));
    player.State().tableDamaged = true;
    player.State().drives[3].componentVersion = {1, 5, 12};
    player.State().drives[3].productVersion = {1, 5, 0};
    Bytes data(3 * 2048);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<BYTE>(i * 13);
    ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), player.WriteMedium(70000, 3, data.data()));
    ASSERT_EQ("", player.Save(file));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));  // no temporary left

    SimPlayerState loaded;
    ASSERT_EQ("", SimLoadPlayerState(file, loaded));
    const SimPlayerState& saved = player.State();
    EXPECT_EQ(saved.identity.vendor, loaded.identity.vendor);
    EXPECT_EQ("2.10", loaded.identity.revision);
    EXPECT_EQ(0x0104, loaded.chipRevision);
    EXPECT_EQ(SimPlayerMode::kRecovery, loaded.mode);
    EXPECT_TRUE(loaded.tableDamaged);
    EXPECT_EQ(2048u, loaded.dataSectorSize);
    EXPECT_EQ(4096u, loaded.systemSectorSize);
    EXPECT_EQ(saved.flash.Size(), loaded.flash.Size());
    ASSERT_EQ(saved.drives.size(), loaded.drives.size());
    for (size_t i = 0; i < saved.drives.size(); ++i) {
        const SimLogicalDrive& a = saved.drives[i];
        const SimLogicalDrive& b = loaded.drives[i];
        EXPECT_TRUE(a.number == b.number && a.type == b.type && a.tag == b.tag && a.size == b.size &&
                    a.sectorSize == b.sectorSize && a.offset == b.offset && a.componentVersion == b.componentVersion &&
                    a.productVersion == b.productVersion)
            << "drive " << i;
    }
    EXPECT_EQ(saved.flash.Chunks(), loaded.flash.Chunks());

    // Saving again replaces the file.
    player.State().chipRevision = 0x0200;
    ASSERT_EQ("", player.Save(file));
    ASSERT_EQ("", SimLoadPlayerState(file, loaded));
    EXPECT_EQ(0x0200, loaded.chipRevision);
}

TEST_F(PlayerStateFile, ATruncatedFileIsRefusedAtEveryLength) {
    ASSERT_EQ("", SimSavePlayerState(SmallPlayer(), file));
    const Bytes whole = FileBytes();
    ASSERT_GT(whole.size(), size_t(SimFlashStore::kChunkSize));
    // Every cut in the header and drives, then cuts inside the chunk and before the checksum.
    std::vector<size_t> cuts;
    for (size_t length = 0; length < 200; ++length) cuts.push_back(length);
    for (size_t length : {whole.size() / 2, whole.size() - 5, whole.size() - 4, whole.size() - 1})
        cuts.push_back(length);
    for (size_t length : cuts) {
        WriteFile(Bytes(whole.begin(), whole.begin() + length));
        SimPlayerState state(1 << 20);
        EXPECT_NE("", SimLoadPlayerState(file, state)) << "cut at " << length;
        EXPECT_EQ(uint64_t(1) << 20, state.flash.Size()) << "a refused file changes nothing";
    }
}

TEST_F(PlayerStateFile, ADamagedFileIsRefusedWithItsReason) {
    ASSERT_EQ("", SimSavePlayerState(SmallPlayer(), file));
    const Bytes whole = FileBytes();
    auto refusal = [&](const Bytes& bytes) {
        WriteFile(bytes);
        SimPlayerState state;
        return SimLoadPlayerState(file, state);
    };
    auto mentions = [](const std::string& text, const char* part) { return text.find(part) != std::string::npos; };

    Bytes flipped = whole;
    flipped[whole.size() - 100] ^= 0x01;  // a byte of the written sector
    EXPECT_TRUE(mentions(refusal(flipped), "checksum"));
    Bytes longer = whole;
    longer.push_back(0);
    EXPECT_TRUE(mentions(refusal(longer), "after the end"));
    Bytes foreign = whole;
    foreign[0] = 'X';
    EXPECT_TRUE(mentions(refusal(foreign), "not a player state file"));
    Bytes newer = whole;
    newer[8] = 2;
    EXPECT_TRUE(mentions(refusal(newer), "format version 2"));

    // Sound checksums over impossible contents. The first drive record
    // starts at byte 61: number, type, tag, sector size, offset, size.
    const size_t drive = 61;
    Bytes outside = whole;
    outside[drive + 7 + 7] = 0x01;  // offset 2^56
    Reseal(outside);
    EXPECT_TRUE(mentions(refusal(outside), "outside the flash"));
    Bytes oddSector = whole;
    oddSector[drive + 3] = 0x01;  // sector size 2049
    Reseal(oddSector);
    EXPECT_TRUE(mentions(refusal(oddSector), "whole sectors"));
    Bytes overlapping = whole;  // the data drive moved onto the system drive
    std::copy_n(whole.begin() + drive + 7, 8, overlapping.begin() + drive + 35 + 7);
    Reseal(overlapping);
    EXPECT_TRUE(mentions(refusal(overlapping), "overlap"));
    Bytes manyDrives = whole;
    manyDrives[drive - 1] = 200;
    Reseal(manyDrives);
    EXPECT_TRUE(mentions(refusal(manyDrives), "too many drives"));
    EXPECT_TRUE(mentions(refusal(Bytes()), "not a player state file"));

    SimPlayerState state;
    EXPECT_NE("", SimLoadPlayerState(folder / "missing.state", state));
}

TEST_F(PlayerStateFile, WritersAtOnceNeverShareATemporaryFile) {
    // Players that differ in their chip revision only, saved over one
    // another by four writers at once.
    const SimPlayerState small = SmallPlayer();
    std::vector<std::thread> writers;
    std::atomic<int> failures{0};
    for (uint16_t writer = 0; writer < 4; ++writer) {
        writers.emplace_back([&, writer] {
            SimPlayerState state(small.flash.Size());
            state.drives = small.drives;
            state.chipRevision = writer;
            for (int save = 0; save < 10; ++save) {
                if (!SimSavePlayerState(state, file).empty()) ++failures;
            }
        });
    }
    for (std::thread& writer : writers) writer.join();
#ifndef _WIN32
    // Windows may refuse to rename onto a file that another rename replaces
    // at that moment; such a save says so and leaves the file whole.
    EXPECT_EQ(0, failures.load());
#endif
    SimPlayerState loaded;
    ASSERT_EQ("", SimLoadPlayerState(file, loaded));
    EXPECT_LT(loaded.chipRevision, 4);
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST_F(PlayerStateFile, ASaveThatCannotReplaceTheFileLeavesItAsItWas) {
    // A folder where the file should be: the rename fails, and nothing that
    // was there goes.
    fs::create_directories(file / "inside");
    EXPECT_NE("", SimSavePlayerState(SmallPlayer(), file));
    EXPECT_TRUE(fs::is_directory(file / "inside"));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

