#include "updater/app/VrUpdaterApp.h"

#include "platform/TextCodec.h"
#include "updater/app/VrCommandLine.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrDialogIds.h"
#include "updater/app/VrDialogShared.h"
#include "updater/app/VrDownloadDlg.h"
#include "updater/app/VrErrorReport.h"
#include "updater/app/VrFrontEnd.h"
#include "updater/app/VrLanguage.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/app/VrLogFile.h"
#include "updater/app/VrProgressDlg.h"
#include "updater/app/VrUsageText.h"
#include "updater/device/VrOsClass.h"
#include "updater/engine/VrFwComponent.h"
#include "updater/base/VrResult.h"
#include "updater/engine/VrUpdater.h"

namespace {

// StartUp's answer when the program ends without a failure: the usage text
// was shown, or the copy already running was brought forward.
const int32_t kStopped = 1;

// The log is written in US English when the user asks for an English log.
const LANGID kEnglishLog = 0x0409;

const uint32_t kSearchTitleId = 106;
const uint32_t kRecoveryTitleId = 107;
const uint32_t kRecoveryStatusId = 103;
const uint32_t kRecoveredStatusId = 104;

// The drive wait gives the recovered player two minutes to appear, then lets
// Windows finish mounting it for up to ten seconds.
const DWORD kDriveWaitSeconds = 120;
const DWORD kDrivePollMs = 500;
const int kSettleRounds = 100;
const DWORD kSettleMs = 100;

// Loops that only wait (for a player to appear, for the user to close the
// dialog) sleep this long between rounds unless input arrives.
const DWORD kIdleWaitMs = 250;

}  // namespace

CVrUpdaterApp::CVrUpdaterApp(Host& host, VrFrontEnd& frontEnd) : m_host(host), m_frontEnd(frontEnd) {}

CVrUpdaterApp::~CVrUpdaterApp() {
    // Only the end of the program lets the next copy take the lock.
    if (m_instanceLock) m_host.CloseHandle(m_instanceLock);
}

int32_t CVrUpdaterApp::Run(const std::wstring& commandLine) {
    int32_t result = StartUp(commandLine);
    if (result == kStopped) return kVrOk;
    if (result != kVrOk) return result;

    CVrProgressDlg search(GetDialogServices(), [this] { Cancel(); });
    std::unique_ptr<VrDialogSurface> searchWindow = m_frontEnd.CreateModeless(search);
    searchWindow->ShowWindow(true);
    result = WaitForPlayer(search, searchWindow->Handle());
    searchWindow.reset();
    return result;
}

int32_t CVrUpdaterApp::StartUp(const std::wstring& commandLine) {
    int32_t result = CreateObjects();
    if (result != kVrOk) return result;

    const VrOsClass os = VrGetOsClass(m_host);
    if ((os == kVrOsWin2000 || os == kVrOsWinXp) && !m_frontEnd.IsAdministrator()) {
        ReportError(kVrNotAdministrator, nullptr, false);
        return kVrNotAdministrator;
    }

    result = ParseCommandLine(commandLine);
    if (result != kVrOk) return result;

    if (PRIMARYLANGID(m_language) != LANG_ENGLISH && m_commandLine->IsEnglishLog()) {
        result = m_resource->SetLogLanguage(kEnglishLog);
        if (result != kVrOk) {
            ReportError(result, nullptr, false);
            return result;
        }
    }
    return TakeSingleInstance();
}

int32_t CVrUpdaterApp::CreateObjects() {
    m_frontEnd.Initialise();
    m_config = std::make_unique<CVrConfigInfo>();
    m_engine = std::make_unique<CVrUpdater>(m_host, *m_config);
    m_frontEnd.SetFailureRecord(m_engine->GetErrorRecord());

    m_language = VrChooseLanguage(m_host.GetUserDefaultLangID());
    m_resource = std::make_unique<CVrLanguageResource>(m_host, *m_config, m_engine->GetErrorRecord(), m_language);
    m_report = std::make_unique<CVrErrorReport>(*m_resource, m_engine->GetErrorRecord(), m_frontEnd);
    if (m_resource->GetLastResult() == kVrLibraryNotLoaded) {
        // No command line and no log yet: the box is all the user gets.
        std::wstring message, details;
        ComposeError(kVrLibraryNotLoaded, message, details, false);
        m_frontEnd.ShowMessage(kVrMessageError, message, details, nullptr);
        return kVrLibraryNotLoaded;
    }
    m_config->SetResourceProvider(m_resource.get());
    m_engine->SetResource(m_resource.get());
    return kVrOk;
}

int32_t CVrUpdaterApp::ParseCommandLine(const std::wstring& commandLine) {
    m_commandLine = std::make_unique<CVrBaseToCmdLineProcessor>(*m_resource, commandLine);
    m_report->SetNoQuestions(m_commandLine->IsNoQuestions());
    m_report->SetLogging(m_commandLine->IsLog());
    m_report->SetLogWriter([this](const std::wstring& entry) { Log(entry); });
    const int32_t result = m_commandLine->GetLastResult();
    if (result != kVrOk) {
        ReportError(result, nullptr, false);
        return result;
    }

    m_engine->SetForceFat16(m_commandLine->IsForceFat16());
    if (m_commandLine->IsLog()) {
        m_log = std::make_unique<CVrLogFile>(m_host, m_commandLine->GetLogPath());
        if (m_log->GetLastResult() != kVrOk) GiveUpLog();
    }

    if (m_commandLine->IsHelp()) {
        std::wstring usage;
        const int32_t built = VrBuildUsageText(*m_config, *m_resource, usage);
        if (built != kVrOk) {
            ReportError(built, nullptr, false);
            return built;
        }
        m_frontEnd.ShowMessage(kVrMessageInformation, usage, L"", nullptr);
        return kStopped;
    }
    return kVrOk;
}

int32_t CVrUpdaterApp::TakeSingleInstance() {
    std::wstring name;
    std::string vendor, product;
    m_config->GetProgramFileName(name);
    m_config->GetVendorIdentity(vendor);
    m_config->GetProductIdentity(product);
    name += WideFromUtf8(vendor) + WideFromUtf8(product);

    m_instanceLock = m_host.CreateMutex(nullptr, FALSE, name.c_str());
    if (!m_instanceLock) {
        ReportError(kVrLockNotCreated, nullptr, false);
        return kVrLockNotCreated;
    }
    if (m_host.GetLastError() != ERROR_ALREADY_EXISTS) return kVrOk;

    // The other copy shows the download dialog (titled with the product
    // title) or the search dialog in one of its two appearances.
    std::wstring title;
    m_config->GetTitle(title);
    const std::vector<std::wstring> titles = {title, VrLoadText(*m_resource, kSearchTitleId),
                                              VrLoadText(*m_resource, kRecoveryTitleId)};
    if (m_frontEnd.BringForward(titles)) return kStopped;
    ReportError(kVrOtherCopyHidden, nullptr, false);
    return kVrOtherCopyHidden;
}

int32_t CVrUpdaterApp::WaitForPlayer(CVrProgressDlg& search, VrWindowHandle searchWindow) {
    while (!IsCancelled()) {
        int32_t result = m_engine->OpenDevice();
        if (result == kVrOk || result == kVrTableUnreadable) {
            // The dialog opens the player again for each download.
            m_engine->ReleaseDevice();
            search.Hide();
            return RunDownloadDialog(result);
        }
        if (VrIsComponentFailure(result)) {
            ReportError(result, searchWindow, false);
            return result;
        }
        ReportError(result, searchWindow, true);

        result = m_engine->OpenRecoveryDevice();
        if (VrIsComponentFailure(result)) {
            ReportError(result, searchWindow, false);
            return result;
        }
        if (result != kVrOk) {
            // Neither kind of player yet: poll again until one comes or the
            // user gives up.
            ReportError(result, searchWindow, true);
            m_frontEnd.WaitForMessages(kIdleWaitMs);
            PumpMessages();
            continue;
        }
        result = RecoverPlayer(search, searchWindow);
        if (result != kVrOk) return result;
    }
    return kVrNoPlayer;
}

int32_t CVrUpdaterApp::RecoverPlayer(CVrProgressDlg& search, VrWindowHandle searchWindow) {
    const DWORD drives = m_host.GetLogicalDrives();
    search.ShowRecoveryAppearance();
    if (IsLogging()) Log(VrLoadText(*m_resource, kRecoveryStatusId, true));
    const int32_t result = m_engine->RecoveryDownload(search);
    ReportError(result, searchWindow, false);
    if (result != kVrOk) return result;

    search.SetStatus(VrLoadText(*m_resource, kRecoveredStatusId));
    search.ResetView();
    // The player restarts with its new firmware and comes back as a drive.
    WaitForDriveChange(drives);
    PumpMessages();
    return kVrOk;
}

int32_t CVrUpdaterApp::RunDownloadDialog(int32_t openResult) {
    const bool autoStart = m_commandLine->IsAutoStart();
    CVrDownloadDlg download(*this, !autoStart);
    m_engine->SetProgress(&download);
    if (openResult == kVrTableUnreadable) ReportError(openResult, nullptr, false);

    if (autoStart) {
        std::unique_ptr<VrDialogSurface> window = m_frontEnd.CreateModeless(download);
        window->ShowWindow(true);
        download.OnCommand(kVrDownloadStart);
        // Until the dialog goes, by auto-close or by the user.
        while (PumpMessages()) m_frontEnd.WaitForMessages(kIdleWaitMs);
    } else {
        m_frontEnd.RunModal(download, nullptr);
    }
    m_engine->SetProgress(nullptr);
    return download.WroteNothing() ? kNothingWritten : download.GetLastResult();
}

int CVrUpdaterApp::PumpMessages() { return m_frontEnd.PumpMessages() ? 1 : 0; }

void CVrUpdaterApp::WaitForDriveChange(DWORD initialMask) {
    const DWORD start = m_host.GetTickCount() / 1000;
    for (;;) {
        PumpMessages();
        m_host.Sleep(kDrivePollMs);
        if (m_host.GetLogicalDrives() != initialMask) break;
        if (m_host.GetTickCount() / 1000 - start > kDriveWaitSeconds) return;
        if (IsCancelled()) break;
    }
    for (int round = 0; round < kSettleRounds && !IsCancelled(); ++round) {
        m_host.Sleep(kSettleMs);
        PumpMessages();
    }
}

void CVrUpdaterApp::ReportError(int32_t code, VrWindowHandle parent, bool logOnly) {
    m_report->ReportError(code, parent, logOnly);
}

void CVrUpdaterApp::ComposeError(int32_t code, std::wstring& message, std::wstring& details, bool forLog) {
    m_report->ComposeError(code, message, details, forLog);
}

bool CVrUpdaterApp::IsLogging() const { return m_log != nullptr; }

void CVrUpdaterApp::Log(const std::wstring& text) {
    if (m_log && m_log->Write(text) != kVrOk) GiveUpLog();
}

void CVrUpdaterApp::GiveUpLog() {
    // The warning explains the log's failure; the failure record goes back
    // to the account of whatever the program was reporting meanwhile.
    CVrErrorRecord& errors = m_engine->GetErrorRecord();
    const CVrErrorRecord kept = errors;
    errors.Record(*m_log);
    // Gone before the warning is shown, so that nothing logged meanwhile
    // fails again and warns twice.
    m_log.reset();
    m_report->SetLogging(false);
    m_report->WarnUnusableLog(m_commandLine->GetLogPath(), nullptr);
    errors = kept;
}
