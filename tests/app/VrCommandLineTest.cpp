#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/TestHosts.h"
#include "updater/app/VrCommandLine.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/app/VrTextFormat.h"
#include "updater/app/VrUsageText.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"
#include "updater/engine/VrUpdater.h"

namespace {

// Command lines read with the option words of a real language library.
class CommandLine : public ::testing::Test {
protected:
    void Start(LANGID language) {
        resource_.reset();
        pc_ = std::make_unique<SimulatedCaddis>(language);
        resource_ = std::make_unique<CVrLanguageResource>(pc_->host(), config_, errors_, language);
        config_.SetResourceProvider(resource_.get());
    }

    CVrBaseToCmdLineProcessor Parse(const std::wstring& line) {
        if (!resource_) Start(0x0409);
        return CVrBaseToCmdLineProcessor(*resource_, line);
    }

    CVrConfigInfo config_;
    CVrErrorRecord errors_;
    std::unique_ptr<SimulatedCaddis> pc_;
    std::unique_ptr<CVrLanguageResource> resource_;
};

// Every flag in the order the class holds them, as one comparable text.
std::string Flags(const CVrBaseToCmdLineProcessor& line) {
    std::string flags;
    flags += line.IsNoQuestions() ? 'q' : '-';
    flags += line.IsAutoStart() ? 's' : '-';
    flags += line.IsAutoClose() ? 'c' : '-';
    flags += line.IsPreselect() ? 'p' : '-';
    flags += line.IsLog() ? 'l' : '-';
    flags += line.IsHelp() ? 'h' : '-';
    flags += line.IsEnglishLog() ? 'e' : '-';
    flags += line.IsForceFat16() ? 'f' : '-';
    return flags;
}

TEST_F(CommandLine, OptionsSetTheirFlagsInEitherFormAndAnyCase) {
    for (const wchar_t* text : {L"", L"log silent fat16", L"-autostar /sil -english x"}) {
        CVrBaseToCmdLineProcessor line = Parse(text);
        EXPECT_EQ(kVrOk, line.GetLastResult()) << text;
        EXPECT_EQ("--------", Flags(line)) << text;
    }
    EXPECT_EQ("qsc-----", Flags(Parse(L"-silent")));
    EXPECT_EQ("qs------", Flags(Parse(L"/AutoStart\t-noquestions ")));
    EXPECT_EQ("--cp-h-f", Flags(Parse(L"-FORMAT /? -Fat16 /autoclose")));
    // The test is a substring test inside a token: a path carrying "-silent"
    // counts as the option.
    EXPECT_EQ("qsc-----", Flags(Parse(L"c:\\tools-silent\\x")));
}

TEST_F(CommandLine, TheLogPathIsTheWordAfterTheLogOption) {
    CVrBaseToCmdLineProcessor english = Parse(L"-log -english C:\\Logs\\Run.txt");
    EXPECT_EQ(kVrOk, english.GetLastResult());
    EXPECT_EQ("----l-e-", Flags(english));
    EXPECT_EQ(L"c:\\logs\\run.txt", english.GetLogPath());
    // The bare word is passed over too, but only "-" or "/" make it an option.
    CVrBaseToCmdLineProcessor bare = Parse(L"/log english run.txt");
    EXPECT_EQ("----l---", Flags(bare));
    EXPECT_EQ(L"run.txt", bare.GetLogPath());

    for (const wchar_t* text : {L"-LOG", L"-log /english  "}) {
        CVrBaseToCmdLineProcessor line = Parse(text);
        EXPECT_EQ(kVrBadCommandLine, line.GetLastResult()) << text;
        EXPECT_TRUE(line.IsLog() && line.GetLogPath().empty()) << text;
    }
}

TEST_F(CommandLine, TheLogPathFollowsTheLogOptionNotAWordThatHoldsIt) {
    EXPECT_EQ(L"out.txt", Parse(L"-silent blog -log out.txt").GetLogPath());
    EXPECT_EQ(L"out.txt", Parse(L"c:\\my-log\\x.txt /log out.txt").GetLogPath());
    // With no word that begins with the option, the word holding it gives it,
    // and the path is what follows it there.
    EXPECT_EQ(L"\\x.txt", Parse(L"c:\\my-log\\x.txt").GetLogPath());
}

TEST_F(CommandLine, TheUsageTextIsFilledInEveryLanguage) {
    Start(0x0409);
    std::wstring text;
    ASSERT_EQ(kVrOk, VrBuildUsageText(config_, *resource_, text));
    EXPECT_EQ(0u, text.find(L"Usage: Caddis.exe [-autostart] [-autoclose] [-noquestions] [-silent] [-format] "
                            L"[-fat16] [-log <file> | -log -english <file>] [-?]\r\n"));

    for (LANGID language : {0x0404, 0x0407, 0x040A, 0x040C, 0x0411, 0x0412, 0x0804}) {
        Start(language);
        ASSERT_EQ(kVrOk, VrBuildUsageText(config_, *resource_, text)) << language;
        EXPECT_EQ(0u, VrCountTextArguments(text)) << language;
        EXPECT_NE(std::wstring::npos, text.find(L"Caddis.exe [-autostart]")) << language;
    }
}

}  // namespace
