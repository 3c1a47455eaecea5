#include <gtest/gtest.h>

#include "tests/support/TestHosts.h"
#include "updater/app/VrMessageKinds.h"
#include "updater/app/VrMessageTexts.h"

namespace {

// The boxes' texts come from the program's own table even where no language
// library lies beside the program.
TEST(MessageTexts, ComeInTheUsersLanguageWithoutALibrary) {
    SimulatedCaddis german(0x0407, {});
    VrMessageTexts texts = VrLoadMessageTexts(german.host(), kVrMessageOption);
    EXPECT_EQ(L"Option", texts.caption);
    EXPECT_EQ(L"&OK", texts.ok);
    EXPECT_EQ(L"&Ja", texts.yes);
    EXPECT_EQ(L"&Nein", texts.no);
    EXPECT_EQ(L"&Details »", texts.expand);
    EXPECT_EQ(L"&Details «", texts.collapse);
    EXPECT_EQ(L"Fehler", VrLoadMessageTexts(german.host(), kVrMessageError).caption);

    // Chinese of Taiwan and of every other region have tables of their own.
    SimulatedCaddis taiwan(0x0404, {});
    EXPECT_EQ(L"確定", VrLoadMessageTexts(taiwan.host(), kVrMessageError).ok);
    SimulatedCaddis singapore(0x1004, {});
    EXPECT_EQ(L"确定", VrLoadMessageTexts(singapore.host(), kVrMessageError).ok);
}

TEST(MessageTexts, OtherLanguagesGetEnglishAndUnknownKindsNoCaption) {
    SimulatedCaddis italian(0x0410, {});
    VrMessageTexts texts = VrLoadMessageTexts(italian.host(), 1);
    EXPECT_TRUE(texts.caption.empty());
    EXPECT_EQ(L"&No", texts.no);
    EXPECT_EQ(L"Information", VrLoadMessageTexts(italian.host(), kVrMessageInformation).caption);
    EXPECT_EQ(L"Warning", VrLoadMessageTexts(italian.host(), kVrMessageWarning).caption);
}

}  // namespace
