// The popup menus of the four menu buttons: their items and greying.
#include "manager/app/PopupMenus.h"

#include <gtest/gtest.h>

#include "manager/app/ManagerControls.h"

namespace {

// The enabled flags of a menu's items, in order.
std::vector<bool> Enabled(int button, const MenuContext& context) {
    std::vector<bool> enabled;
    for (const PopupItem& item : PopupMenuItems(button, context)) enabled.push_back(item.enabled);
    return enabled;
}

MenuContext Context(int side, bool pcMarked, bool playerMarked, bool playing) {
    MenuContext context;
    context.activeSide = side;
    context.pcListMarked = pcMarked;
    context.playerListMarked = playerMarked;
    context.previewPlaying = playing;
    return context;
}

}  // namespace

TEST(PopupMenus, EachButtonHoldsItsCommandsWithTheirTexts) {
    const MenuContext any;
    const auto file = PopupMenuItems(kFileMenuButton, any);
    ASSERT_EQ(2u, file.size());
    EXPECT_EQ(kDeleteCommand, file[0].command);
    EXPECT_EQ(kDeleteText, file[0].text);
    EXPECT_EQ(kExitCommand, file[1].command);
    EXPECT_EQ(kExitText, file[1].text);
    const auto copy = PopupMenuItems(kCopyMenuButton, any);
    ASSERT_EQ(2u, copy.size());
    EXPECT_EQ(kCopyToPlayerCommand, copy[0].command);
    EXPECT_EQ(kCopyToPlayerText, copy[0].text);
    EXPECT_EQ(kCopyToPcCommand, copy[1].command);
    EXPECT_EQ(kCopyToPcText, copy[1].text);
    const auto refresh = PopupMenuItems(kRefreshMenuButton, any);
    ASSERT_EQ(1u, refresh.size());
    EXPECT_EQ(kRefreshCommand, refresh[0].command);
    EXPECT_EQ(kRefreshText, refresh[0].text);
    const auto help = PopupMenuItems(kHelpMenuButton, any);
    ASSERT_EQ(1u, help.size());
    EXPECT_EQ(kHelpCommand, help[0].command);
    EXPECT_EQ(kHelpText, help[0].text);
    EXPECT_TRUE(PopupMenuItems(kRefreshButton, any).empty());
}

TEST(PopupMenus, GreyingFollowsTheSideClickedLastItsMarkAndThePreview) {
    struct Case {
        MenuContext context;
        std::vector<bool> file;  // Delete, Exit
        std::vector<bool> copy;  // Copy to player, Copy to PC
    };
    const Case cases[] = {
        // The PC side clicked last: only its mark counts.
        {Context(1, true, false, false), {true, true}, {true, false}},
        {Context(1, false, true, false), {false, true}, {false, false}},
        // The player side clicked last.
        {Context(0, false, true, false), {true, true}, {false, true}},
        {Context(0, true, false, false), {false, true}, {false, false}},
        {Context(0, true, true, false), {true, true}, {false, true}},
        // A preview greys everything that touches files, never Exit.
        {Context(1, true, true, true), {false, true}, {false, false}},
        {Context(0, true, true, true), {false, true}, {false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.context.activeSide << " pc " << c.context.pcListMarked
                                        << " player " << c.context.playerListMarked << " playing "
                                        << c.context.previewPlaying);
        EXPECT_EQ(c.file, Enabled(kFileMenuButton, c.context));
        EXPECT_EQ(c.copy, Enabled(kCopyMenuButton, c.context));
        EXPECT_EQ(std::vector<bool>{true}, Enabled(kRefreshMenuButton, c.context));
        EXPECT_EQ(std::vector<bool>{true}, Enabled(kHelpMenuButton, c.context));
    }
}
