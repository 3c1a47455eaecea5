// Where Tavlo's copies land and which warning a command gives instead.
#include "manager/app/TransferPlan.h"

#include <gtest/gtest.h>

namespace {

using Paths = std::vector<std::wstring>;
const ULONG kFile = 0x40400177 & 0x40000000;  // SFGAO_FILESYSTEM alone

PlayerFolder Shown(size_t depth, const std::wstring& shown) { return {depth, L"E:\\", shown}; }

}  // namespace

TEST(TransferPlan, PlacementClassFollowsTheDepthAndTheShownFoldersName) {
    EXPECT_EQ(PlayerPlacement::kRoot, PlacementFor(1, L"E:\\"));
    EXPECT_EQ(PlayerPlacement::kMusicFolder, PlacementFor(2, L"E:\\VOICE"));
    EXPECT_EQ(PlayerPlacement::kMusicFolder, PlacementFor(2, L"E:\\Mp3"));
    EXPECT_EQ(PlayerPlacement::kMusicFolder, PlacementFor(2, L"E:\\voice.old"));  // the name before its last dot
    EXPECT_EQ(PlayerPlacement::kOwnFolder, PlacementFor(2, L"E:\\Books"));
    EXPECT_EQ(PlayerPlacement::kOwnFolder, PlacementFor(2, L"E:\\voices"));
    EXPECT_EQ(PlayerPlacement::kOwnFolder, PlacementFor(3, L"E:\\Books\\mp3"));
}

TEST(TransferPlan, MusicNeedsAnAttributeAndAnMp3OrWmaEnding) {
    EXPECT_TRUE(IsMusicFile(kFile, L"C:\\Music\\Song.MP3"));
    EXPECT_TRUE(IsMusicFile(0x4 /* SFGAO_CANMOVE */, L"C:\\talk.wma"));
    EXPECT_FALSE(IsMusicFile(kFile, L"C:\\old.mp2"));
    EXPECT_FALSE(IsMusicFile(kFile, L"C:\\mp3"));
    EXPECT_FALSE(IsMusicFile(kFile, L"C:\\song.mp3\\notes"));
    // A folder named like music that the shell gives none of the attributes.
    EXPECT_FALSE(IsMusicFile(0x20000000 /* SFGAO_FOLDER */, L"C:\\music.mp3"));
    // The preview looks at the last three characters alone.
    EXPECT_TRUE(IsPlayableFile(kFile, L"C:\\music.MP3"));
    EXPECT_TRUE(IsPlayableFile(kFile, L"C:\\Songs\\Tidemp3"));
    EXPECT_FALSE(IsPlayableFile(0x20000000, L"C:\\music.mp3"));
    EXPECT_FALSE(IsPlayableFile(kFile, L"C:\\a.mp2"));
}

TEST(TransferPlan, CopyToThePlayerPutsMusicInTheRootAndTheRestByTheShownFolder) {
    const std::vector<TransferItem> selection = {{L"C:\\Music\\Song.MP3", kFile}, {L"C:\\Music\\notes.txt", kFile}};
    struct Case {
        PlayerFolder player;
        Paths destinations;
        std::wstring folderToCreate;
    };
    const Case cases[] = {
        {Shown(1, L"E:\\"), {L"E:\\Song.MP3", L"E:\\edisk\\notes.txt"}, L"E:\\edisk"},
        {Shown(2, L"E:\\VOICE"), {L"E:\\Song.MP3", L"E:\\edisk\\notes.txt"}, L"E:\\edisk"},
        {Shown(2, L"E:\\Books"), {L"E:\\Song.MP3", L"E:\\Books\\notes.txt"}, L""},
        {Shown(4, L"E:\\Books\\Old\\Tales"), {L"E:\\Song.MP3", L"E:\\Books\\Old\\Tales\\notes.txt"}, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "showing " << std::string(c.player.shown.begin(), c.player.shown.end()));
        const TransferPlan plan = PlanCopyToPlayer(selection, c.player);
        EXPECT_FALSE(plan.refused);
        EXPECT_EQ((Paths{L"C:\\Music\\Song.MP3", L"C:\\Music\\notes.txt"}), plan.sources);
        EXPECT_EQ(c.destinations, plan.destinations);
        EXPECT_EQ(c.folderToCreate, plan.folderToCreate);
    }
    // Items without a path are left out, and music alone needs no "edisk".
    const TransferPlan music = PlanCopyToPlayer({{L"", kFile}, {L"C:\\a.wma", kFile}}, Shown(1, L"E:\\"));
    EXPECT_EQ(Paths{L"E:\\a.wma"}, music.destinations);
    EXPECT_TRUE(music.folderToCreate.empty());
}

TEST(TransferPlan, CommandsWarnInTheirOrder) {
    const std::vector<TransferItem> one = {{L"E:\\a.mp3", kFile}};
    EXPECT_EQ(kNoPcSelection, PlanCopyToPlayer({}, PlayerFolder()).warning);
    EXPECT_EQ(kNoPlayer, PlanCopyToPlayer(one, PlayerFolder()).warning);
    EXPECT_TRUE(PlanCopyToPlayer({}, PlayerFolder()).refused);

    EXPECT_EQ(kNoPcFolder, PlanCopyToPc({}, L"", false).warning);
    EXPECT_EQ(kNoPcFolder, PlanCopyToPc(one, L"\\", true).warning);  // one backslash taken off leaves nothing
    EXPECT_EQ(kNoPlayer, PlanCopyToPc({}, L"C:\\Music", false).warning);
    EXPECT_EQ(kNoPlayerSelection, PlanCopyToPc({}, L"C:\\Music", true).warning);
    const TransferPlan toPc = PlanCopyToPc(one, L"C:\\", true);
    EXPECT_FALSE(toPc.refused);
    EXPECT_EQ(Paths{L"C:\\a.mp3"}, toPc.destinations);
}

TEST(TransferPlan, DeleteWorksOnTheSideClickedLastOnly) {
    DeleteRequest request;
    request.pcFolderKnown = true;
    request.playerShown = true;
    request.pcSelection = {{L"C:\\Music\\a.mp3", kFile}};
    bool ignored = false;

    request.activeSide = 0;  // the player list, with nothing selected
    TransferPlan plan = PlanDelete(request, ignored);
    EXPECT_FALSE(ignored);
    EXPECT_TRUE(plan.refused);
    EXPECT_EQ(kNothingToDelete, plan.warning);

    request.activeSide = 1;
    plan = PlanDelete(request, ignored);
    EXPECT_FALSE(plan.refused);
    EXPECT_EQ(Paths{L"C:\\Music\\a.mp3"}, plan.sources);

    request.pcFolderKnown = false;  // no tree folder: not even a warning
    PlanDelete(request, ignored);
    EXPECT_TRUE(ignored);
    request.activeSide = 0;
    request.playerShown = false;
    PlanDelete(request, ignored);
    EXPECT_TRUE(ignored);
}
