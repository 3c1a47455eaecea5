// The file lists' context menus: their items and the greying rules, as a
// table over what was clicked, what is selected and what plays.
#include "manager/app/ListMenus.h"

#include <gtest/gtest.h>

#include "manager/app/ManagerControls.h"

namespace {

// The menu as letters, one per item in order: E enabled, g greyed.
std::string Pattern(int list, const ListMenuContext& context) {
    std::string pattern;
    for (const PopupItem& item : ListMenuItems(list, context)) pattern += item.enabled ? 'E' : 'g';
    return pattern;
}

ListMenuContext Clicked(const wchar_t* playable, size_t selected, const wchar_t* playing, size_t depth = 1) {
    ListMenuContext context;
    context.itemHit = true;
    context.selectedCount = selected;
    context.playableFile = playable;
    context.previewPlaying = playing != nullptr;
    context.playingFile = playing ? playing : L"";
    context.navigationDepth = depth;
    return context;
}

}  // namespace

TEST(ListMenus, EachListHoldsItsCommandsInOrder) {
    std::vector<ManagerCommand> pc, player;
    for (const PopupItem& item : ListMenuItems(kPcList, ListMenuContext())) pc.push_back(item.command);
    for (const PopupItem& item : ListMenuItems(kPlayerList, ListMenuContext())) player.push_back(item.command);
    EXPECT_EQ((std::vector<ManagerCommand>{kSpeechCommand, kUpOneLevelCommand, kCopyToPlayerCommand, kDeleteCommand,
                                           kPlayCommand, kStopCommand}),
              pc);
    EXPECT_EQ((std::vector<ManagerCommand>{kSpeechCommand, kUpOneLevelCommand, kCopyToPcCommand, kDeleteCommand,
                                           kFormatCommand, kPlayCommand, kStopCommand}),
              player);
    EXPECT_EQ(kCopyToPcText, ListMenuItems(kPlayerList, ListMenuContext())[2].text);
    EXPECT_TRUE(ListMenuItems(kFolderTree, ListMenuContext()).empty());
}

TEST(ListMenus, GreyingRules) {
    ListMenuContext nothingHit;
    nothingHit.navigationDepth = 2;
    ListMenuContext nothingHitPlaying = nothingHit;
    nothingHitPlaying.previewPlaying = true;
    nothingHitPlaying.playingFile = L"E:\\a.mp3";
    struct Case {
        const char* what;
        ListMenuContext context;
        const char* pc;      // speech, up, copy to player, delete, play, stop
        const char* player;  // speech, up, copy to PC, delete, format, play, stop
    };
    const Case cases[] = {
        {"nothing under the click", nothingHit, "EEgggg", "EEggEgg"},
        {"nothing under the click, playing", nothingHitPlaying, "EEgggg", "EEggggg"},
        {"a file that does not play", Clicked(L"", 1, nullptr, 2), "EEEEgg", "EEEEEgg"},
        {"two selected", Clicked(L"E:\\a.mp3", 2, nullptr, 2), "EEEEgg", "EEEEEgg"},
        {"two selected, playing", Clicked(L"E:\\a.mp3", 2, L"E:\\b.mp3", 2), "EEgggg", "EEggggg"},
        {"a.mp3 clicked, nothing plays", Clicked(L"E:\\a.mp3", 1, nullptr, 2), "EEEEEg", "EEEEEEg"},
        {"a.mp3 clicked while it plays", Clicked(L"E:\\a.mp3", 1, L"e:\\A.MP3", 2), "EEgggE", "EEggggE"},
        {"b.mp3 clicked while a.mp3 plays", Clicked(L"E:\\b.mp3", 1, L"E:\\a.mp3", 2), "EEggEg", "EEgggEg"},
        {"the drive root shown", Clicked(L"E:\\a.mp3", 1, nullptr, 1), "EEEEEg", "EgEEEEg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.pc, Pattern(kPcList, c.context));
        EXPECT_EQ(c.player, Pattern(kPlayerList, c.context));
    }
}

TEST(ListMenus, NoMenuWhileAFileOperationRunsNorOnThePcSideWithoutAFolder) {
    EXPECT_FALSE(ListMenuShown(kPlayerList, false, true));
    EXPECT_FALSE(ListMenuShown(kPcList, false, true));
    EXPECT_FALSE(ListMenuShown(kPcList, true, false));
    EXPECT_TRUE(ListMenuShown(kPcList, true, true));
    EXPECT_TRUE(ListMenuShown(kPlayerList, true, false));
}
