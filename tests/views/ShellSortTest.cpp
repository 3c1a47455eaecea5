// The file lists' order: column clicks and the shell's comparison answers.
#include <gtest/gtest.h>

#include "manager/app/ShellSort.h"

namespace {

TEST(ShellSort, ClicksOnTheSortColumnTurnTheDirectionRound) {
    SortState sort;
    sort.Click(kSizeColumn);
    EXPECT_EQ(kSizeColumn, sort.column);
    EXPECT_FALSE(sort.descending);
    sort.Click(kSizeColumn);
    EXPECT_TRUE(sort.descending);
    sort.Click(kDateColumn);
    EXPECT_EQ(kDateColumn, sort.column);
    EXPECT_FALSE(sort.descending);
}

TEST(ShellSort, TheComparisonsLowSixteenBitsAreSigned) {
    EXPECT_EQ(0, RowOrder(static_cast<int32_t>(0x80004005), false));  // failed: equal
    EXPECT_EQ(0, RowOrder(static_cast<int32_t>(0x8000FFFF), true));
    EXPECT_EQ(-1, RowOrder(0x0000FFFF, false));
    EXPECT_EQ(1, RowOrder(0x0000FFFF, true));
    EXPECT_EQ(1, RowOrder(0x00010001, false));  // the high bits carry no order
    EXPECT_EQ(-32768, RowOrder(0x8000, false));
    EXPECT_EQ(0, RowOrder(0, true));
}

}  // namespace
