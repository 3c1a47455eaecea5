#include <gtest/gtest.h>

#include "platform/LocaleLanguage.h"

TEST(LocaleLanguage, TerritoryCodesetAndModifierAreHandled) {
    EXPECT_EQ(0x0407, LanguageOfLocale("de_DE.UTF-8"));
    EXPECT_EQ(0x0404, LanguageOfLocale("zh_TW.UTF-8"));
    EXPECT_EQ(0x0C04, LanguageOfLocale("zh_HK"));
    EXPECT_EQ(0x0412, LanguageOfLocale("ko_KR.EUC-KR"));
    EXPECT_EQ(0x040C, LanguageOfLocale("fr_FR@euro"));
    EXPECT_EQ(0x0410, LanguageOfLocale("it_IT.UTF-8"));
}

TEST(LocaleLanguage, UnknownTerritoriesFallBackToTheLanguageAndUnknownNamesToEnglish) {
    EXPECT_EQ(0x0407, LanguageOfLocale("de_BE.UTF-8"));
    EXPECT_EQ(0x0411, LanguageOfLocale("ja"));
    EXPECT_EQ(0x0409, LanguageOfLocale("C"));
    EXPECT_EQ(0x0409, LanguageOfLocale("POSIX"));
    EXPECT_EQ(0x0409, LanguageOfLocale(""));
    EXPECT_EQ(0x0409, LanguageOfLocale("xx_YY"));
}
