// Drive buttons by the number of drives, and when a device notification
// searches for the player again.
#include "manager/app/PlayerDriveEvents.h"

#include <gtest/gtest.h>

TEST(PlayerDriveEvents, DriveButtonsFollowTheNumberOfDrives) {
    EXPECT_FALSE(DriveButtonsFor(0).drive1);
    EXPECT_FALSE(DriveButtonsFor(0).drive2);
    EXPECT_TRUE(DriveButtonsFor(1).drive1);
    EXPECT_FALSE(DriveButtonsFor(1).drive2);
    EXPECT_TRUE(DriveButtonsFor(2).drive1);
    EXPECT_TRUE(DriveButtonsFor(2).drive2);
}

TEST(PlayerDriveEvents, ARemovalStopsTheSearchesUntilTheNextArrival) {
    DeviceEvents events;
    // Before any arrival or removal, every notification searches.
    EXPECT_TRUE(events.Take(DeviceEvents::kOther));
    EXPECT_TRUE(events.Take(DeviceEvents::kArrival));
    EXPECT_TRUE(events.Take(DeviceEvents::kOther));
    EXPECT_FALSE(events.Take(DeviceEvents::kRemoveComplete));
    EXPECT_FALSE(events.Take(DeviceEvents::kOther));
    EXPECT_TRUE(events.Take(DeviceEvents::kArrival));
}
