// One player file in the hands of several programs: only one changes it at a
// time, and a name that is a symbolic link stays one.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sim/player/SimStateFile.h"
#include "platform/sim/player/SimStateLock.h"
#include "tests/platform/SimTestFolder.h"

namespace fs = std::filesystem;

namespace {

class PlayerStateSharing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ("", SimSavePlayerState(Player(1), file)); }

    static SimPlayerState Player(uint16_t chipRevision) {
        SimPlayerState state(1 << 20);
        state.chipRevision = chipRevision;
        return state;
    }
    uint16_t ChipRevisionOf(const fs::path& name) {
        SimPlayerState state;
        EXPECT_EQ("", SimLoadPlayerState(name, state));
        return state.chipRevision;
    }

    SimTestFolder test;
    const fs::path& folder = test.Path();
    const fs::path file = folder / "player.state";
};

TEST_F(PlayerStateSharing, OneHolderAtATimeUnderEveryNameOfThePlayer) {
    fs::create_symlink("player.state", folder / "link.state");
    {
        SimStateLock first(file);
        ASSERT_EQ(SimStateLock::Outcome::kHeld, first.GetOutcome());
        EXPECT_EQ(SimStateLock::Outcome::kInUse, SimStateLock(file).GetOutcome());
        EXPECT_EQ(SimStateLock::Outcome::kInUse, SimStateLock(folder / "link.state").GetOutcome());
        // The save is the holder's last word: the file that replaces the one
        // it holds is free at once, and holds what the holder saved.
        ASSERT_EQ("", SimSavePlayerState(Player(2), file));
        SimStateLock next(folder / "link.state");
        EXPECT_EQ(SimStateLock::Outcome::kHeld, next.GetOutcome());
        EXPECT_EQ(2, ChipRevisionOf(file));
    }
    EXPECT_EQ(SimStateLock::Outcome::kNoFile, SimStateLock(folder / "none.state").GetOutcome());
}

TEST_F(PlayerStateSharing, ASaveThroughALinkWritesTheFileItNames) {
    fs::create_directories(folder / "elsewhere");
    fs::rename(file, folder / "elsewhere" / "real.state");
    fs::create_symlink("elsewhere/real.state", folder / "chain.state");
    fs::create_symlink("chain.state", file);

    ASSERT_EQ("", SimSavePlayerState(Player(7), file));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_TRUE(fs::is_symlink(folder / "chain.state"));
    EXPECT_EQ(7, ChipRevisionOf(folder / "elsewhere" / "real.state"));

    // A link to a file not there yet makes that file.
    fs::remove(folder / "elsewhere" / "real.state");
    ASSERT_EQ("", SimSavePlayerState(Player(8), file));
    EXPECT_EQ(8, ChipRevisionOf(folder / "elsewhere" / "real.state"));
}

}  // namespace
