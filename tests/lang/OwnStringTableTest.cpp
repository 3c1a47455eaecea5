// Caddis's own string table: the product texts and the texts that must work
// without a language library, in each of its eight languages, read from the
// program's own resources by the platform's loader or the simulated one.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ResourceStrings.h"
#include "tests/support/TestHosts.h"

namespace {

const LANGID kOwnLanguages[] = {0x0009, 0x0007, 0x000A, 0x000C, 0x0011, 0x0012, 0x0404, 0x0804};

class OwnStringTable : public ::testing::TestWithParam<LANGID> {
protected:
    std::wstring Load(UINT id) {
        std::wstring text;
        LoadResourceString(*host_, host_->GetModuleHandle(nullptr), id, GetParam(), text);
        return text;
    }
    std::unique_ptr<Host> host_ = MakePlatformHost();
};

TEST_P(OwnStringTable, HoldsIds50To70InItsOwnLanguage) {
    HMODULE program = host_->GetModuleHandle(nullptr);
    // Both blocks exist in exactly this language, so no fallback hides a gap.
    for (UINT block : {4u, 5u}) {
        EXPECT_NE(nullptr, host_->FindResourceEx(program, RT_STRING, MAKEINTRESOURCEW(block), GetParam()))
            << "block " << block;
    }
    for (UINT id = 50; id <= 70; ++id) EXPECT_FALSE(Load(id).empty()) << "string " << id;
}

INSTANTIATE_TEST_SUITE_P(EightLanguages, OwnStringTable, ::testing::ValuesIn(kOwnLanguages));

TEST(OwnStringTable, KeepsTheProductTextsAndTheirTranslationsApart) {
    std::unique_ptr<Host> host = MakePlatformHost();
    HMODULE program = host->GetModuleHandle(nullptr);
    std::wstring text;
    ASSERT_TRUE(LoadResourceString(*host, program, 53, 0x0804, text));
    EXPECT_EQ(L"Lumo MP3 固件下载", text);
    ASSERT_TRUE(LoadResourceString(*host, program, 61, 0x000C, text));
    EXPECT_EQ(L"Impossible de charger la DLL de ressource  %s", text);
    ASSERT_TRUE(LoadResourceString(*host, program, 63, 0x0011, text));
    EXPECT_EQ(L"詳細（&D） ｻ", text);
    // English US finds the neutral English table.
    ASSERT_TRUE(LoadResourceString(*host, program, 66, 0x0409, text));
    EXPECT_EQ(L"&OK", text);
}

}  // namespace
