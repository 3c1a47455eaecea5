#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ResourceStrings.h"
#include "tests/support/TestHosts.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrLanguage.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"

namespace {

// The updater's language resources in a Caddis process on a simulated PC
// whose program folder holds the built language libraries.
class LanguageResource : public ::testing::Test {
protected:
    void Start(LANGID language, const std::vector<std::wstring>& libraries = SimulatedCaddis::AllLibraries()) {
        resource_.reset();
        pc_ = std::make_unique<SimulatedCaddis>(language, libraries);
        resource_ = std::make_unique<CVrLanguageResource>(pc_->host(), config_, errors_, language);
        config_.SetResourceProvider(resource_.get());
    }

    // A string as the library of `language` holds it, before any completion.
    std::wstring Raw(LANGID language, UINT id) {
        HMODULE library = pc_->host().LoadLibrary(VrLanguageLibraryFile(language));
        std::wstring text;
        EXPECT_TRUE(LoadResourceString(pc_->host(), library, id, 0, text)) << id;
        pc_->host().FreeLibrary(library);
        return text;
    }

    CVrConfigInfo config_;
    CVrErrorRecord errors_;
    std::unique_ptr<SimulatedCaddis> pc_;
    std::unique_ptr<CVrLanguageResource> resource_;
};

TEST_F(LanguageResource, AMissingLibraryFailsWithItsNameRecorded) {
    Start(0x0407, {});  // a program folder without libraries
    EXPECT_EQ(kVrLibraryNotLoaded, resource_->GetLastResult());
    EXPECT_EQ(std::wstring(L"vrxa0407.dll"), errors_.GetDetail());
    EXPECT_EQ(kVrLibraryNotLoaded, errors_.GetResultCode());
    EXPECT_EQ(static_cast<uint32_t>(ERROR_MOD_NOT_FOUND), errors_.GetSystemError());
    EXPECT_EQ("CVrResource", errors_.GetObjectName());

    // Texts of the program's own table still work; library texts fail with -28.
    std::wstring text;
    EXPECT_EQ(kVrOk, resource_->LoadText(67, text, false));
    EXPECT_EQ(L"Fehler", text);
    EXPECT_EQ(kVrStringNotLoaded, resource_->LoadText(108, text, false));
    EXPECT_TRUE(text.empty());
}

TEST_F(LanguageResource, OwnTextsComeInTheUserInterfaceLanguage) {
    Start(0x0411);
    std::wstring text;
    EXPECT_EQ(kVrOk, resource_->LoadText(64, text, false));
    EXPECT_EQ(L"はい（&Y）", text);
    EXPECT_EQ(kVrOk, resource_->LoadText(62, text, false));
    EXPECT_EQ(L"詳細（&D) ｫ", text);

    Start(0x0C04);  // Hong Kong Chinese reads the Simplified texts, like its library
    EXPECT_EQ(kVrOk, resource_->LoadText(67, text, false));
    EXPECT_EQ(L"错误", text);
    EXPECT_EQ(kVrOk, resource_->GetTitle(text));
    EXPECT_EQ(L"Lumo MP3 固件下载", text);

    Start(0x0009);  // English with a neutral sublanguage, as the language choice makes it
    EXPECT_EQ(kVrOk, resource_->LoadText(61, text, false));
    EXPECT_EQ(L"Unable to load resource dll: %s", text);
    EXPECT_EQ(kVrOk, config_.GetTitle(text));
    EXPECT_FALSE(text.empty());
}

TEST_F(LanguageResource, SearchTitlesAreCompletedWithTheProductTitle) {
    Start(0x040C);
    std::wstring title, text;
    ASSERT_EQ(kVrOk, config_.GetTitle(title));
    EXPECT_EQ(kVrOk, resource_->LoadText(106, text, false));
    EXPECT_EQ(Raw(0x040C, 106) + L" " + title + L"...", text);

    Start(0x0412);  // Korean puts the title first
    ASSERT_EQ(kVrOk, config_.GetTitle(title));
    EXPECT_EQ(kVrOk, resource_->LoadText(107, text, false));
    EXPECT_EQ(title + L" " + Raw(0x0412, 107) + L"...", text);
}

TEST_F(LanguageResource, ErrorTextsFollowTheCodeTable) {
    Start(0x0409);
    std::wstring text = L"stale";
    EXPECT_EQ(kVrNoMessage, resource_->GetErrorText(1, text, false));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(kVrNoMessage, resource_->GetErrorText(-60, text, false));
    EXPECT_EQ(kVrOk, resource_->GetErrorText(0, text, false));
    EXPECT_EQ(Raw(0x0409, 108), text);
    EXPECT_EQ(kVrOk, resource_->GetErrorText(-31, text, false));
    EXPECT_EQ(Raw(0x0409, 150), text);
    EXPECT_EQ(kVrOk, resource_->GetErrorText(-59, text, false));
    EXPECT_EQ(Raw(0x0409, 634), text);

    // -11 names the component file; a code without a message gives that failure's text.
    EXPECT_EQ(kVrOk, resource_->GetComponentErrorText(-11, text, 2, false));
    EXPECT_NE(std::wstring::npos, text.find(L"usbmsc.sb"));
    EXPECT_EQ(std::wstring::npos, text.find(L"%s"));
    EXPECT_EQ(kVrNoMessage, resource_->GetComponentErrorText(5, text, 2, false));
    EXPECT_TRUE(text.empty());
}

TEST_F(LanguageResource, DeviceStatusTextsAndTheUnknownStatus) {
    Start(0x0409);
    std::wstring text;
    EXPECT_EQ(kVrOk, resource_->GetDeviceStatusText(0x0000, text, false));
    EXPECT_EQ(Raw(0x0409, 318), text);
    EXPECT_EQ(kVrOk, resource_->GetDeviceStatusText(0x0428, text, false));
    EXPECT_EQ(Raw(0x0409, 295), text);
    EXPECT_EQ(kVrOk, resource_->GetDeviceStatusText(0x10885, text, false));  // only the low 16 bits count
    EXPECT_EQ(Raw(0x0409, 421), text);
    EXPECT_EQ(kVrUnknownDeviceStatus, resource_->GetDeviceStatusText(0x0211, text, false));
    EXPECT_EQ(Raw(0x0409, 621), text);
}

TEST_F(LanguageResource, StageTextsNameTheirComponent) {
    Start(0x0409);
    std::wstring text = L"stale";
    EXPECT_EQ(kVrOk, resource_->GetStageText(1, text, false));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(kVrOk, resource_->GetStageText(49, text, false));
    EXPECT_EQ(Raw(0x0409, 169), text);
    EXPECT_EQ(kVrOk, resource_->GetStageText(18, text, false));  // writing component 1
    EXPECT_NE(std::wstring::npos, text.find(L"Boot Manager"));
    EXPECT_EQ(kVrOk, resource_->GetStageText(10, text, false));  // erasing component 4
    EXPECT_NE(std::wstring::npos, text.find(L"Resource Manager"));
    // Stages of components the table does not hold pass the table's answer on.
    EXPECT_EQ(kVrIndexBeyondTable, resource_->GetStageText(16, text, false));
}

TEST_F(LanguageResource, SystemMessageFollowsString209) {
    Start(0x0409);
    errors_.Set(kVrDeviceOpenFailed, ERROR_FILE_NOT_FOUND);
    std::wstring text;
    EXPECT_EQ(kVrOk, resource_->LoadText(209, text, false));
    std::wstring prefix = Raw(0x0409, 209);
    ASSERT_GT(text.size(), prefix.size());
    EXPECT_EQ(prefix, text.substr(0, prefix.size()));
}

TEST_F(LanguageResource, TheLogCanSpeakEnglishWhileTheWindowsSpeakGerman) {
    Start(0x0407);
    ASSERT_EQ(kVrOk, resource_->SetLogLanguage(0x0409));
    std::wstring forWindow, forLog;
    resource_->GetErrorText(-22, forWindow, false);
    resource_->GetErrorText(-22, forLog, true);
    EXPECT_EQ(Raw(0x0407, 130), forWindow);
    EXPECT_EQ(Raw(0x0409, 130), forLog);
    EXPECT_EQ(0x0409, resource_->GetLogLanguage());
}

TEST_F(LanguageResource, AFailedLogLanguageKeepsTheLogAsItWas) {
    Start(0x0407, {L"vrxa0407.dll"});
    EXPECT_EQ(kVrLibraryNotLoaded, resource_->SetLogLanguage(0x0409));
    EXPECT_EQ(std::wstring(L"vrxa0409.dll"), errors_.GetDetail());
    std::wstring forLog;
    EXPECT_EQ(kVrOk, resource_->GetErrorText(-22, forLog, true));
    EXPECT_EQ(Raw(0x0407, 130), forLog);
    EXPECT_EQ(0x0407, resource_->GetLogLanguage());
}

TEST_F(LanguageResource, AMissingStringIsRecordedAsMinus28) {
    Start(0x0409);
    std::wstring text = L"stale";
    EXPECT_EQ(kVrStringNotLoaded, resource_->LoadText(9999, text, false));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(kVrStringNotLoaded, errors_.GetResultCode());
    EXPECT_EQ("CVrResource", errors_.GetObjectName());
}

TEST_F(LanguageResource, VersionTextFollowsItsPrefix) {
    Start(0x0409);
    std::wstring text;
    EXPECT_EQ(kVrOk, resource_->GetVersionText(text));
    EXPECT_EQ(Raw(0x0409, 626) + L"1, 548, 1, 139", text);
}

}  // namespace
