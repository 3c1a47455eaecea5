// Reading the skin's element strings and lists, which come from a library
// outside the program and are never trusted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/app/SkinStrings.h"
#include "platform/TextCodec.h"

namespace {

void ExpectRect(const SkinElement& element, int left, int top, int right, int bottom) {
    EXPECT_EQ(left, element.rect.left);
    EXPECT_EQ(top, element.rect.top);
    EXPECT_EQ(right, element.rect.right);
    EXPECT_EQ(bottom, element.rect.bottom);
}

void ExpectHiddenAndEmpty(const std::wstring& text) {
    const SkinElement element = ParseSkinElement(text);
    EXPECT_FALSE(element.Shown()) << Utf8FromWide(text);
    EXPECT_EQ(0, element.rect.Width()) << Utf8FromWide(text);
    EXPECT_EQ(0, element.rect.Height()) << Utf8FromWide(text);
    EXPECT_EQ(0, element.rect.left) << Utf8FromWide(text);
}

TEST(SkinElementString, PlacesByXYWidthAndHeight) {
    const SkinElement shown = ParseSkinElement(L"1,10,20,30,40");
    EXPECT_TRUE(shown.Shown());
    ExpectRect(shown, 10, 20, 40, 60);

    const SkinElement hidden = ParseSkinElement(L"0,10,20,30,40");
    EXPECT_FALSE(hidden.Shown());
    ExpectRect(hidden, 10, 20, 40, 60);

    // Any separator after the digit; empty fields and blanks skipped; a
    // control may hang over the window's left edge; a fifth number is ignored.
    ExpectRect(ParseSkinElement(L"1;,10,,20, 30 ,,40,"), 10, 20, 40, 60);
    ExpectRect(ParseSkinElement(L"1,-4,0,8,8,99"), -4, 0, 4, 8);
    EXPECT_EQ(2, ParseSkinElement(L"2,0,0,1,1").visible);
}

TEST(SkinElementString, AnythingButFourNumbersHidesTheElement) {
    ExpectHiddenAndEmpty(L"");
    ExpectHiddenAndEmpty(L"1");
    ExpectHiddenAndEmpty(L"1,");
    ExpectHiddenAndEmpty(L"1,10,20,30");
    ExpectHiddenAndEmpty(L"1,10,,,30,,");
    ExpectHiddenAndEmpty(L"1,10,20,3O,40");  // a letter O
    ExpectHiddenAndEmpty(L"1,10,20,30px,40");
    ExpectHiddenAndEmpty(L"1,10,20,-30,40");
    ExpectHiddenAndEmpty(L"1,10,20,30,4000000000");
    ExpectHiddenAndEmpty(L"1,32768,20,30,40");
    ExpectHiddenAndEmpty(L"1,10,20,-,40");
}

TEST(SkinNumber, IsAWholeDecimalWithinScreenCoordinates) {
    int value = 7;
    EXPECT_TRUE(ParseSkinNumber(L" 800 ", value));
    EXPECT_EQ(800, value);
    EXPECT_TRUE(ParseSkinNumber(L"-32768", value));
    EXPECT_EQ(-32768, value);
    EXPECT_TRUE(ParseSkinNumber(L"+32767", value));
    EXPECT_EQ(32767, value);
    for (const wchar_t* wrong : {L"", L" ", L"32768", L"-32769", L"99999999999999999999", L"1 2", L"0x10", L"--1"}) {
        EXPECT_FALSE(ParseSkinNumber(wrong, value)) << Utf8FromWide(wrong);
    }
}

TEST(SkinList, DropsEmptyPieces) {
    EXPECT_EQ((std::vector<std::wstring>{L"A", L"B", L"C"}), SplitSkinList(L"A;B;;C", L';'));
    EXPECT_EQ((std::vector<std::wstring>{L"A", L" "}), SplitSkinList(L";A;; ;", L';'));
    EXPECT_EQ((std::vector<std::wstring>{L"a;b"}), SplitSkinList(L"a;b", L','));
    EXPECT_TRUE(SplitSkinList(L"", L',').empty());
    EXPECT_TRUE(SplitSkinList(L",,,", L',').empty());
}

}  // namespace
