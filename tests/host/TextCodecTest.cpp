#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/TextCodec.h"

TEST(TextCodec, Utf16SurrogatePairsBecomeOneCharacter) {
    const uint16_t units[] = {0x0041, 0xD83C, 0xDFB5, 0x56FA};  // "A", U+1F3B5, "固"
    std::wstring text = WideFromUtf16(units, 4);
    EXPECT_EQ("A\xF0\x9F\x8E\xB5\xE5\x9B\xBA", Utf8FromWide(text));
    EXPECT_EQ(std::u16string(u"A\U0001F3B5\u56FA"), Utf16FromWide(text));
}

TEST(TextCodec, UnpairedSurrogatesBecomeReplacementCharacters) {
    const uint16_t units[] = {0xD800, 0x0041, 0xDC00};
    EXPECT_EQ("\xEF\xBF\xBD" "A" "\xEF\xBF\xBD", Utf8FromWide(WideFromUtf16(units, 3)));
}

TEST(TextCodec, Utf8RoundTripsAndBadSequencesAreReplaced) {
    std::string text = "Lumo MP3 \xE5\x9B\xBA\xE4\xBB\xB6 \xC3\xA9 \xF0\x9F\x8E\xB5";
    EXPECT_EQ(text, Utf8FromWide(WideFromUtf8(text)));
    // A lone continuation byte, a truncated sequence at the end, an encoded surrogate.
    EXPECT_EQ(L"\uFFFDa", WideFromUtf8("\x80" "a"));
    EXPECT_EQ(L"a\uFFFD", WideFromUtf8("a\xE5\x9B"));
    EXPECT_EQ(L"\uFFFD", WideFromUtf8("\xED\xA0\x80"));
}
