// Sizes and capacities in KB: rounding up, grouping, and drives of any size.
#include <gtest/gtest.h>

#include "manager/app/DriveCapacity.h"
#include "manager/app/KbText.h"

namespace {

TEST(KbText, FilesRoundUpToWholeKilobytesNeverZero) {
    EXPECT_EQ(L"1 KB", FileSizeText(0));
    EXPECT_EQ(L"1 KB", FileSizeText(512));
    EXPECT_EQ(L"1 KB", FileSizeText(1024));
    EXPECT_EQ(L"2 KB", FileSizeText(1025));
    EXPECT_EQ(L"1,205,633 KB", FileSizeText(1234567890));
    EXPECT_EQ(L"5,242,881 KB", FileSizeText((5ull << 30) + 1));  // beyond 32 bits
}

TEST(KbText, EveryThreeDigitsAreGrouped) {
    EXPECT_EQ(L"0 KB", FormatKb(0));
    EXPECT_EQ(L"999 KB", FormatKb(999));
    EXPECT_EQ(L"1,000 KB", FormatKb(1000));
    EXPECT_EQ(L"123,456 KB", FormatKb(123456));
    EXPECT_EQ(L"1,100,000 KB", FormatKb(1100000));
    EXPECT_EQ(L"18,446,744,073,709,551,615 KB", FormatKb(~0ull));
}

TEST(DriveCapacity, A2GbDriveShowsItsRealCapacity) {
    const DriveCapacity card = CapacityFromBytes(true, 2ull << 30, (512ull << 20) + 1);
    const std::array<std::wstring, 3> texts = CapacityTexts(&card);
    EXPECT_EQ(L"2,097,152 KB", texts[0]);
    EXPECT_EQ(L"524,289 KB", texts[1]);
    EXPECT_EQ(L"1,572,863 KB", texts[2]);
}

TEST(DriveCapacity, FullFailedAndUnknownDrives) {
    // An almost full drive still shows 1 KB free.
    DriveCapacity full = CapacityFromBytes(true, 64ull << 20, 100);
    EXPECT_EQ(1u, full.freeKb);
    EXPECT_EQ(65535u, full.UsedKb());

    const std::array<std::wstring, 3> zero{L"0 KB", L"0 KB", L"0 KB"};
    const DriveCapacity failed = CapacityFromBytes(false, 64ull << 20, 1 << 20);
    EXPECT_EQ(zero, CapacityTexts(&failed));
    EXPECT_EQ(zero, CapacityTexts(nullptr));

    // More free to the caller than the disk holds is no negative use.
    const DriveCapacity quota = CapacityFromBytes(true, 1 << 20, 2 << 20);
    EXPECT_EQ(L"0 KB", CapacityTexts(&quota)[2]);
}

}  // namespace
