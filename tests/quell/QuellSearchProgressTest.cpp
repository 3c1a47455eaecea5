// The searching dialog's ticks, apart from its window.
#include "usbsupport/QuellSearchProgress.h"

#include <gtest/gtest.h>

namespace {

using Step = QuellSearchProgress::Step;

TEST(QuellSearchProgress, WithoutTheDeviceTheSearchEndsAfterTheMaximumOfTicks) {
    QuellSearchProgress progress(10, true);
    int looks = 0;
    auto absent = [&] { return ++looks, false; };
    for (int tick = 1; tick <= 10; ++tick) {
        EXPECT_FALSE(progress.EscapeCloses()) << tick;
        ASSERT_EQ(Step::kAdvanced, progress.Tick(absent));
    }
    EXPECT_TRUE(progress.EscapeCloses());
    EXPECT_EQ(Step::kClose, progress.Tick(absent));
    EXPECT_EQ(10, progress.Ticks());
    EXPECT_EQ(10, looks);
    EXPECT_FALSE(progress.Found());
}

TEST(QuellSearchProgress, IdentifiersOfZeroNeverLook) {
    QuellSearchProgress progress(3, false);
    int looks = 0;
    auto look = [&] { return ++looks, true; };
    while (progress.Tick(look) == Step::kAdvanced) {
    }
    EXPECT_EQ(0, looks);
    EXPECT_FALSE(progress.Found());

    QuellSearchProgress unset(0, false);  // no settings at all: the first tick ends it
    EXPECT_EQ(Step::kClose, unset.Tick(look));
}

TEST(QuellSearchProgress, AFoundDeviceEndsTheSearchAtTheNextTickWithTheBarOneFurther) {
    QuellSearchProgress progress(10, true);
    int tick = 0;
    auto foundAtThird = [&] { return ++tick == 3; };
    EXPECT_EQ(Step::kAdvanced, progress.Tick(foundAtThird));
    EXPECT_EQ(Step::kAdvanced, progress.Tick(foundAtThird));
    EXPECT_FALSE(progress.EscapeCloses());
    EXPECT_EQ(Step::kAdvanced, progress.Tick(foundAtThird));
    EXPECT_TRUE(progress.Found());
    EXPECT_TRUE(progress.EscapeCloses());
    EXPECT_EQ(Step::kShowFound, progress.Tick(foundAtThird));
    EXPECT_EQ(4, progress.Position());
    EXPECT_EQ(3, tick);  // no look after the find
}

}  // namespace
