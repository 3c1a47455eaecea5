// Every language library holds every string the updater asks for, and the
// strings it uses as formats carry the arguments it passes. Checked through
// the platform's own loader on Windows and the simulated PC's natively, on
// the very same library files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ResourceStrings.h"
#include "platform/TextCodec.h"
#include "tests/support/TestHosts.h"
#include "updater/app/VrTextFormat.h"

namespace {

const wchar_t* const kLibraries[] = {L"vrxa0404.dll", L"vrxa0407.dll", L"vrxa0409.dll", L"vrxa040a.dll",
                                     L"vrxa040c.dll", L"vrxa0411.dll", L"vrxa0412.dll", L"vrxa0804.dll"};

std::vector<UINT> RequiredIds() {
    const std::pair<UINT, UINT> ranges[] = {{100, 100}, {102, 104}, {106, 107}, {108, 137}, {138, 138},
                                            {140, 155}, {159, 159}, {161, 169}, {170, 196}, {197, 222},
                                            {223, 421}, {621, 626}, {629, 632}, {634, 635}};
    std::vector<UINT> ids;
    for (const auto& range : ranges) {
        for (UINT id = range.first; id <= range.second; ++id) ids.push_back(id);
    }
    return ids;
}

// The number of text arguments the updater passes to each format string: the
// usage text gets the program name and 19 option words; the component stage
// texts get the display name; the message of -11 the file name.
size_t ArgumentsPassed(UINT id) {
    switch (id) {
    case 205: return 20;
    case 171: case 196: case 119: return 1;
    default: return 0;
    }
}

class LanguageLibrary : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override {
        host_ = MakePlatformHost();
        library_ = host_->LoadLibrary(GetParam());
        ASSERT_NE(nullptr, library_) << "cannot load " << Utf8FromWide(GetParam())
                                     << ", error " << host_->GetLastError();
    }
    void TearDown() override {
        if (library_) host_->FreeLibrary(library_);
    }

    std::wstring Load(UINT id) {
        std::wstring text;
        LoadResourceString(*host_, library_, id, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), text);
        return text;
    }

    std::unique_ptr<Host> host_;
    HMODULE library_ = nullptr;
};

TEST_P(LanguageLibrary, HoldsEveryStringWithTheArgumentsItIsGiven) {
    for (UINT id : RequiredIds()) {
        std::wstring text = Load(id);
        EXPECT_FALSE(text.empty()) << "string " << id << " is missing";
        EXPECT_EQ(ArgumentsPassed(id), VrCountTextArguments(text)) << "string " << id;
        if (ArgumentsPassed(id) == 0) {
            EXPECT_EQ(std::wstring::npos, text.find(L'%')) << "string " << id << " holds a % sequence";
        }
    }
}

TEST_P(LanguageLibrary, OptionWordsAreTheSameLowerCaseWordsEverywhere) {
    const std::pair<UINT, const wchar_t*> options[] = {{198, L"log"},         {199, L"silent"},
                                                        {200, L"autostart"},   {201, L"autoclose"},
                                                        {202, L"noquestions"}, {204, L"format"},
                                                        {206, L"?"},           {625, L"english"}};
    for (const auto& option : options) EXPECT_EQ(option.second, Load(option.first)) << option.first;
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, LanguageLibrary, ::testing::ValuesIn(kLibraries));

}  // namespace
