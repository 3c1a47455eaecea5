#include <gtest/gtest.h>

#include "updater/app/VrTextFormat.h"

TEST(VrTextFormat, FillsTextArgumentsInOrder) {
    EXPECT_EQ(L"Erasing Boot Manager...", VrFormatText(L"Erasing %s...", {L"Boot Manager"}));
    EXPECT_EQ(L"a-b-c", VrFormatText(L"%s-%s-%s", {L"a", L"b", L"c"}));
    EXPECT_EQ(L"", VrFormatText(L"%s", {L""}));
}

TEST(VrTextFormat, LeavesEveryOtherPercentSequenceAsItStands) {
    EXPECT_EQ(L"100% done %d %x %%", VrFormatText(L"100% done %d %x %%", {L"unused"}));
    EXPECT_EQ(L"ends with %", VrFormatText(L"ends with %", {}));
    EXPECT_EQ(L"%S and %ls stay", VrFormatText(L"%S and %ls stay", {L"x"}));
}

TEST(VrTextFormat, MismatchedArgumentCountsStayInBounds) {
    // Fewer arguments than "%s": the rest are shown as they stand.
    EXPECT_EQ(L"x and %s and %s", VrFormatText(L"%s and %s and %s", {L"x"}));
    EXPECT_EQ(L"%s", VrFormatText(L"%s", {}));
    // More arguments than "%s": the surplus is ignored.
    EXPECT_EQ(L"only x", VrFormatText(L"only %s", {L"x", L"y", L"z"}));
    // An argument that itself holds "%s" is not formatted again.
    EXPECT_EQ(L"%s then y", VrFormatText(L"%s then %s", {L"%s", L"y"}));
}

TEST(VrTextFormat, CountsTextArguments) {
    EXPECT_EQ(0u, VrCountTextArguments(L"no arguments, 100%"));
    EXPECT_EQ(1u, VrCountTextArguments(L"The file %s cannot be opened."));
    EXPECT_EQ(2u, VrCountTextArguments(L"%s%s"));
    EXPECT_EQ(1u, VrCountTextArguments(L"%d and %s"));
}

TEST(VrTextFormat, FillsTheInsertsOfSystemMessages) {
    EXPECT_EQ(L"vrxa0407.dll is not a valid Win32 application.\r\n",
              VrFillSystemInserts(L"%1 is not a valid Win32 application.\r\n", {L"vrxa0407.dll"}));
    // A printf-style tail belongs to its insert; inserts without an argument,
    // and a "%" that starts none, stay.
    EXPECT_EQ(L"[a.dll] %2 at 100% %", VrFillSystemInserts(L"[%1!s!] %2 at 100% %", {L"a.dll"}));
    EXPECT_EQ(L"%12", VrFillSystemInserts(L"%12", {L"a"}));
}
