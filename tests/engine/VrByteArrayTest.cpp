#include <gtest/gtest.h>

#include <initializer_list>

#include "updater/base/VrByteArray.h"

static void Fill(CVrByteArray& array, std::initializer_list<uint8_t> bytes) {
    uint32_t i = 0;
    for (uint8_t byte : bytes) array.SetAt(i++, byte);
}

TEST(VrByteArray, ReadsFieldsMostSignificantByteFirst) {
    CVrByteArray array(4);
    EXPECT_EQ("CVrByteArray", array.GetObjectName());
    Fill(array, {0x12, 0x34, 0x56, 0x78});
    uint32_t dword = 0;
    ASSERT_EQ(kVrOk, array.GetDword(dword, 0));
    EXPECT_EQ(0x12345678u, dword);
    uint16_t word = 0;
    ASSERT_EQ(kVrOk, array.GetWord(word, 2));
    EXPECT_EQ(0x5678, word);
    bool flag = false;
    ASSERT_EQ(kVrOk, array.GetBool(flag, 3));
    EXPECT_TRUE(flag);
    uint8_t middle[2] = {};
    ASSERT_EQ(kVrOk, array.GetBytes(middle, 2, 1));
    EXPECT_EQ(0x34, middle[0]);
    EXPECT_EQ(0x56, middle[1]);
}

TEST(VrByteArray, WritesFieldsMostSignificantByteFirst) {
    CVrByteArray array(10);
    ASSERT_EQ(kVrOk, array.SetWord(0xA1B2, 0));
    ASSERT_EQ(kVrOk, array.SetQword(0x0102030405060708ull, 2));
    const uint8_t expected[] = {0xA1, 0xB2, 1, 2, 3, 4, 5, 6, 7, 8};
    for (uint32_t i = 0; i < 10; ++i) EXPECT_EQ(expected[i], *array.GetPtr(i)) << "byte " << i;
    uint64_t qword = 0;
    ASSERT_EQ(kVrOk, array.GetQword(qword, 2));
    EXPECT_EQ(0x0102030405060708ull, qword);
}

TEST(VrByteArray, FieldsReachingPastTheEndFailAndChangeNothing) {
    CVrByteArray array(7);
    Fill(array, {1, 2, 3, 4, 5, 6, 7});
    uint16_t word = 0xBEEF;
    EXPECT_EQ(kVrFieldOutOfRange, array.GetWord(word, 6));
    EXPECT_EQ(0xBEEF, word);
    uint64_t qword = 0;
    EXPECT_EQ(kVrFieldOutOfRange, array.GetQword(qword, 0));
    bool flag = false;
    EXPECT_EQ(kVrFieldOutOfRange, array.GetBool(flag, 7));
    EXPECT_EQ(kVrFieldOutOfRange, array.SetDword(0, 4));
    EXPECT_EQ(kVrFieldOutOfRange, array.SetQword(0, 0));

    // Offsets near the top of the range must not wrap round to the start.
    uint32_t dword = 0;
    EXPECT_EQ(kVrFieldOutOfRange, array.GetDword(dword, 0xFFFFFFFE));
    EXPECT_EQ(kVrFieldOutOfRange, array.SetWord(0, 0xFFFFFFFF));
    uint8_t buffer[4] = {};
    EXPECT_EQ(kVrFieldOutOfRange, array.GetBytes(buffer, 0xFFFFFFFF, 1));
    EXPECT_EQ(kVrFieldOutOfRange, array.SetBytes(buffer, 2, 0xFFFFFFFF));

    for (uint32_t i = 0; i < 7; ++i) EXPECT_EQ(i + 1, *array.GetPtr(i));
}

TEST(VrByteArray, ToStringListsEveryByteInShortHex) {
    CVrByteArray sense(4);
    Fill(sense, {0x70, 0x00, 0x05, 0xFF});
    EXPECT_EQ(L"0x70, 0x0, 0x5, 0xff", sense.ToString());
    CVrByteArray zero(1);
    EXPECT_EQ(L"0x0", zero.ToString());
    CVrByteArray empty(0);
    EXPECT_EQ(L"", empty.ToString());
}

TEST(VrByteArray, EqualMeansSameCountAndSameBytes) {
    CVrByteArray a(3), b(3), longer(4);
    Fill(a, {1, 2, 3});
    Fill(b, {1, 2, 3});
    Fill(longer, {1, 2, 3});
    EXPECT_TRUE(a.IsEqual(b));
    EXPECT_FALSE(a.IsEqual(longer));
    b.SetAt(2, 4);
    EXPECT_FALSE(a.IsEqual(b));
    CVrByteArray none(0), alsoNone(0);
    EXPECT_TRUE(none.IsEqual(alsoNone));
}
