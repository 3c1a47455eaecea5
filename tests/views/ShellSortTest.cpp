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

TEST(ShellSort, SizeTypeAndDateOrderRowsAndLeaveTiesToTheName) {
    RowFacts drive;  // a drive root has no file data
    RowFacts folder{true, true, 0, 50, L"File Folder"};
    RowFacts small{true, false, 1025, 300, L"MP3 Audio"};
    RowFacts big{true, false, 1234567890, 100, L"mp3 audio"};
    EXPECT_LT(CompareByColumn(drive, folder, kSizeColumn), 0);
    EXPECT_LT(CompareByColumn(folder, small, kSizeColumn), 0);
    EXPECT_LT(CompareByColumn(small, big, kSizeColumn), 0);
    EXPECT_GT(CompareByColumn(big, small, kSizeColumn), 0);
    EXPECT_EQ(0, CompareByColumn(small, small, kSizeColumn));

    EXPECT_EQ(0, CompareByColumn(small, big, kTypeColumn));  // any case
    EXPECT_LT(CompareByColumn(folder, small, kTypeColumn), 0);

    EXPECT_LT(CompareByColumn(big, small, kDateColumn), 0);
    EXPECT_LT(CompareByColumn(drive, folder, kDateColumn), 0);
    EXPECT_EQ(0, CompareByColumn(small, big, kNameColumn));  // the shell's to say
}

}  // namespace
