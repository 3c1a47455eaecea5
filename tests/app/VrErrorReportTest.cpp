#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestHosts.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrErrorReport.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/base/VrErrorRecord.h"
#include "updater/base/VrResult.h"

namespace {

struct ShownMessage {
    int kind;
    std::wstring message;
    std::wstring details;
    VrWindowHandle parent;
};

class RecordingWindow : public VrMessageWindow {
public:
    int ShowMessage(int kind, const std::wstring& message, const std::wstring& details,
                    VrWindowHandle parent) override {
        shown.push_back({kind, message, details, parent});
        return kVrButtonOk;
    }
    std::vector<ShownMessage> shown;
};

// The report of a Caddis process on a simulated PC with the built language
// libraries, showing its boxes in a window that keeps them and logging into a
// list of entries.
class ErrorReport : public ::testing::Test {
protected:
    void Start(LANGID language, const std::vector<std::wstring>& libraries = SimulatedCaddis::AllLibraries()) {
        pc_ = std::make_unique<SimulatedCaddis>(language, libraries);
        resource_ = std::make_unique<CVrLanguageResource>(pc_->host(), config_, errors_, language);
        config_.SetResourceProvider(resource_.get());
        report_ = std::make_unique<CVrErrorReport>(*resource_, errors_, window_);
        report_->SetLogWriter([this](const std::wstring& entry) { log_.push_back(entry); });
    }

    // A failure of the engine as its objects leave it in the record.
    void Fail(int32_t code, uint32_t systemError, const std::wstring& detail = L"") {
        errors_.RecordWithDetail(failing_, detail);
        errors_.Set(code, systemError);
    }

    std::wstring S(uint32_t id, bool forLog = false) {
        std::wstring text;
        EXPECT_EQ(kVrOk, resource_->LoadText(id, text, forLog)) << id;
        return text;
    }
    std::wstring M(int32_t code, bool forLog = false) {
        std::wstring text;
        EXPECT_EQ(kVrOk, resource_->GetErrorText(code, text, forLog)) << code;
        return text;
    }

    void Compose(int32_t code, bool forLog = false) {
        message_ = L"stale";
        details_ = L"stale";
        report_->ComposeError(code, message_, details_, forLog);
    }

    CVrBase failing_{"CVrScsi_Nt"};
    CVrConfigInfo config_;
    CVrErrorRecord errors_;
    RecordingWindow window_;
    std::vector<std::wstring> log_;
    std::unique_ptr<SimulatedCaddis> pc_;
    std::unique_ptr<CVrLanguageResource> resource_;
    std::unique_ptr<CVrErrorReport> report_;
    std::wstring message_, details_;
};

const VrWindowHandle kDialog = reinterpret_cast<VrWindowHandle>(static_cast<uintptr_t>(0x5150));

TEST_F(ErrorReport, EachCodeFamilyHasItsOwnComposition) {
    Start(0x0409);
    Fail(kVrWriteFailed, ERROR_FILE_NOT_FOUND);
    Compose(kVrWriteFailed);
    EXPECT_EQ(M(kVrWriteFailed), message_);
    EXPECT_EQ(S(209), details_);

    Compose(kVrControlFailed);
    EXPECT_EQ(S(209), message_);
    EXPECT_TRUE(details_.empty());

    errors_.RecordWithComponent(failing_, 3);
    Compose(kVrFileOpenFailed);
    EXPECT_NE(std::wstring::npos, message_.find(L"vrxasys.sb"));
    EXPECT_EQ(std::wstring::npos, message_.find(L"%s"));
    EXPECT_TRUE(details_.empty());

    Compose(kVrNoPlayer);  // any other code: its message alone
    EXPECT_EQ(M(kVrNoPlayer), message_);
    EXPECT_TRUE(details_.empty());
}

TEST_F(ErrorReport, AMissingLibraryIsReportedWithoutReplacingItsFailure) {
    Start(0x040C, {});
    report_->ReportError(kVrLibraryNotLoaded, nullptr, false);
    ASSERT_EQ(1u, window_.shown.size());
    EXPECT_EQ(kVrMessageError, window_.shown[0].kind);
    EXPECT_EQ(L"Impossible de charger la DLL de ressource  vrxa040c.dll", window_.shown[0].message);
    // Without the library's string 209, the system's own text still says why.
    EXPECT_FALSE(window_.shown[0].details.empty());
    // String 209 is in the missing library; the failed look-up must leave the record alone.
    EXPECT_EQ(kVrLibraryNotLoaded, errors_.GetResultCode());
    EXPECT_EQ(static_cast<uint32_t>(ERROR_MOD_NOT_FOUND), errors_.GetSystemError());
}

TEST_F(ErrorReport, EachCodeGetsItsBoxKind) {
    Start(0x0409);
    const std::pair<int32_t, int> boxes[] = {{kVrNoPlayerAtStart, kVrMessageWarning},
                                             {kVrNoPlayerForDetails, kVrMessageWarning},
                                             {kVrTableUnreadable, kVrMessageInformation},
                                             {kVrSystemErrorReport, kVrMessageError}};
    for (const auto& box : boxes) report_->ReportError(box.first, kDialog, false);
    ASSERT_EQ(4u, window_.shown.size());
    for (size_t at = 0; at < 4; ++at) {
        EXPECT_EQ(boxes[at].second, window_.shown[at].kind) << boxes[at].first;
        EXPECT_EQ(kDialog, window_.shown[at].parent);
    }
    EXPECT_EQ(S(209), window_.shown[3].details);  // for the window to offer

    report_->ReportError(kVrOk, kDialog, false);
    report_->SetNoQuestions(true);
    report_->ReportError(kVrTableUnreadable, kDialog, false);
    EXPECT_EQ(4u, window_.shown.size());
}

// German windows with an English log: the log composes again in its language,
// except for the code's own message.
TEST_F(ErrorReport, TheLogGetsOneEntryPerReportWhileLogging) {
    Start(0x0407);
    ASSERT_EQ(kVrOk, resource_->SetLogLanguage(0x0409));
    report_->ReportError(kVrNoPlayer, kDialog, false);
    EXPECT_TRUE(log_.empty());

    report_->SetLogging(true);
    report_->ReportError(kVrNoPlayer, kDialog, false);
    report_->ReportError(kVrAlreadyRunning, kDialog, true);  // no message of its own
    Fail(kVrCheckCondition, 0, L"0x70, 0x0, 0x5");
    report_->ReportError(kVrCheckCondition, kDialog, false);
    ASSERT_EQ(3u, log_.size());
    EXPECT_EQ(M(kVrNoPlayer, false), log_[0]);
    EXPECT_NE(M(kVrNoPlayer, true), log_[0]);
    EXPECT_EQ(S(159, true), log_[1]);
    EXPECT_EQ(M(kVrCheckCondition, true) + L"\r\n" + S(208, true) + L"0x70, 0x0, 0x5", log_[2]);

    ASSERT_EQ(3u, window_.shown.size());  // the log-only report showed nothing
    EXPECT_EQ(M(kVrCheckCondition, false), window_.shown[2].message);
    EXPECT_EQ(S(208, false) + L"0x70, 0x0, 0x5", window_.shown[2].details);
}

}  // namespace
