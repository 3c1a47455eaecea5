// The credits switch and the skin variant chosen at start-up.
#include "manager/app/ManagerStartup.h"

#include <gtest/gtest.h>

TEST(ManagerStartup, OnlyACommandLineEndingInSlashVInEitherCaseAsksForCredits) {
    EXPECT_TRUE(AsksForCredits(L"\"C:\\Tavlo\\Tavlo.exe\" /v"));
    EXPECT_TRUE(AsksForCredits(L"Tavlo.exe /V"));
    EXPECT_TRUE(AsksForCredits(L"/v"));
    EXPECT_FALSE(AsksForCredits(L"Tavlo.exe /v "));
    EXPECT_FALSE(AsksForCredits(L"Tavlo.exe -v"));
    EXPECT_FALSE(AsksForCredits(L"Tavlo.exe /w"));
    EXPECT_FALSE(AsksForCredits(L"v"));
    EXPECT_FALSE(AsksForCredits(L""));
}

TEST(ManagerStartup, EveryChineseSublanguageTakesTheChineseSkin) {
    EXPECT_EQ(1, LanguageModeFor(0x0804));  // PRC
    EXPECT_EQ(1, LanguageModeFor(0x0404));  // Taiwan
    EXPECT_EQ(1, LanguageModeFor(0x0C04));  // Hong Kong
    EXPECT_EQ(2, LanguageModeFor(0x0409));
    EXPECT_EQ(2, LanguageModeFor(0x0411));
    EXPECT_EQ(2, LanguageModeFor(0x0000));
    EXPECT_TRUE(ChineseSkin(LanguageModeFor(0x0804)));
    EXPECT_FALSE(ChineseSkin(LanguageModeFor(0x0409)));
}
