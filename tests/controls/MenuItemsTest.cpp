// The owner-drawn menu's item records and sizes.
#include <gtest/gtest.h>

#include <string>

#include "manager/app/MenuItems.h"

namespace {

TEST(MenuItems, SizeFromTextLengthFontAndIconArea) {
    // "Delete": 6 x 7 + 20 + 10; the icon area is taller than a menu line.
    MenuItemSize size = MeasureMenuItem(6, 7, 20, 20, 18);
    EXPECT_EQ(72, size.width);
    EXPECT_EQ(20, size.height);
    // A menu line taller than the icon area, plus one.
    size = MeasureMenuItem(6, 7, 16, 16, 19);
    EXPECT_EQ(20, size.height);
}

TEST(MenuItems, TextsAreCutToTheRecordSafely) {
    MenuItemRecord record;
    SetMenuItemText(record, L"Format Player");
    EXPECT_EQ(std::wstring(L"Format Player"), record.text);
    SetMenuItemText(record, L"A text far longer than the record");
    EXPECT_EQ(std::wstring(L"A text far long"), record.text);
    // Fourteen letters, then a character of two units across the end.
    SetMenuItemText(record, L"abcdefghijklmn\xD83C\xDFB5");
    EXPECT_EQ(std::wstring(L"abcdefghijklmn"), record.text);
    SetMenuItemText(record, nullptr);
    EXPECT_EQ(std::wstring(), record.text);
}

}  // namespace
