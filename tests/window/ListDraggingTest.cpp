// Dragging files between the lists: where a drop lands, the drag's cursor,
// and the hand cursor of the buttons.
#include "manager/app/ListDragging.h"

#include <gtest/gtest.h>

#include "manager/app/ManagerControls.h"
#include "manager/app/SkinResources.h"

TEST(ListDragging, ADropStartsTheCopyOnlyOnTheOtherList) {
    ListPlaces places;
    places.pc = {10, 100, 310, 400};
    places.player = {400, 100, 700, 400};
    // A point of the PC list's own coordinates, seen in the window.
    const WindowPoint fromPcList = ListPointInWindow(places.pc, 5, 7);
    EXPECT_EQ(15, fromPcList.x);
    EXPECT_EQ(107, fromPcList.y);

    ManagerCommand command = kExitCommand;
    EXPECT_TRUE(DropCommand(kPcList, places, {400, 100}, command));
    EXPECT_EQ(kCopyToPlayerCommand, command);
    EXPECT_TRUE(DropCommand(kPlayerList, places, {309, 399}, command));
    EXPECT_EQ(kCopyToPcCommand, command);
    // Back onto its own list, onto the edge that is not the list's, or
    // between the lists: nothing.
    EXPECT_FALSE(DropCommand(kPcList, places, {100, 200}, command));
    EXPECT_FALSE(DropCommand(kPcList, places, {700, 200}, command));
    EXPECT_FALSE(DropCommand(kPlayerList, places, {350, 200}, command));
    EXPECT_TRUE(DragCursorIsArrow(places, {100, 200}));
    EXPECT_FALSE(DragCursorIsArrow(places, {350, 200}));
}

TEST(ListDragging, TheHandShowsPressedFromButtonDownToButtonUp) {
    EXPECT_TRUE(HasHandCursor(kCopyToPlayerButton));
    EXPECT_FALSE(HasHandCursor(kRefreshButton));
    HandCursorStep step = HandCursorFor(ButtonMouse::kMove, false);
    EXPECT_EQ(kHandCursor, step.cursor);
    step = HandCursorFor(ButtonMouse::kLeftDown, step.pressed);
    EXPECT_EQ(kHandPressedCursor, step.cursor);
    step = HandCursorFor(ButtonMouse::kMove, step.pressed);
    EXPECT_EQ(kHandPressedCursor, step.cursor);
    step = HandCursorFor(ButtonMouse::kLeftUp, step.pressed);
    EXPECT_EQ(kHandCursor, step.cursor);
    EXPECT_FALSE(step.pressed);
}
