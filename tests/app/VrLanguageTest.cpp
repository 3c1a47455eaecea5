#include <gtest/gtest.h>

#include <string>

#include "updater/app/VrLanguage.h"

TEST(VrLanguage, KeepsTheSevenLibraryLanguagesAndTurnsOthersIntoEnglish) {
    EXPECT_EQ(0x0407, VrChooseLanguage(0x0407));
    EXPECT_EQ(0x0C04, VrChooseLanguage(0x0C04));  // the whole id, sublanguage included
    EXPECT_EQ(0x0809, VrChooseLanguage(0x0809));
    EXPECT_EQ(0x0412, VrChooseLanguage(0x0412));
    EXPECT_EQ(0x0009, VrChooseLanguage(0x0410));  // Italian: English, primary language only
    EXPECT_EQ(0x0009, VrChooseLanguage(0x0416));
    EXPECT_EQ(0x0009, VrChooseLanguage(0x0000));
}

TEST(VrLanguage, MapsLanguagesToTheirLibraries) {
    EXPECT_EQ(std::wstring(L"vrxa0404.dll"), VrLanguageLibraryFile(0x0404));
    EXPECT_EQ(std::wstring(L"vrxa0804.dll"), VrLanguageLibraryFile(0x0804));
    EXPECT_EQ(std::wstring(L"vrxa0804.dll"), VrLanguageLibraryFile(0x0C04));  // Hong Kong
    EXPECT_EQ(std::wstring(L"vrxa0804.dll"), VrLanguageLibraryFile(0x1004));  // Singapore
    EXPECT_EQ(std::wstring(L"vrxa0407.dll"), VrLanguageLibraryFile(0x0807));
    EXPECT_EQ(std::wstring(L"vrxa040a.dll"), VrLanguageLibraryFile(0x0C0A));
    EXPECT_EQ(std::wstring(L"vrxa040c.dll"), VrLanguageLibraryFile(0x040C));
    EXPECT_EQ(std::wstring(L"vrxa0411.dll"), VrLanguageLibraryFile(0x0411));
    EXPECT_EQ(std::wstring(L"vrxa0412.dll"), VrLanguageLibraryFile(0x0412));
    EXPECT_EQ(std::wstring(L"vrxa0409.dll"), VrLanguageLibraryFile(0x0410));
    EXPECT_EQ(std::wstring(L"vrxa0409.dll"), VrLanguageLibraryFile(0x0009));
}

TEST(VrLanguage, ChineseOwnTextsFollowTheLibraryChoice) {
    EXPECT_EQ(0x0404, VrOwnTableLanguage(0x0404));
    EXPECT_EQ(0x0804, VrOwnTableLanguage(0x0C04));
    EXPECT_EQ(0x0804, VrOwnTableLanguage(0x0004));
    EXPECT_EQ(0x040C, VrOwnTableLanguage(0x040C));
}
