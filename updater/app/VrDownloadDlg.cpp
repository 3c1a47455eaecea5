#include "updater/app/VrDownloadDlg.h"

#include "updater/app/VrCommandLine.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrDetailsDlg.h"
#include "updater/app/VrDialogIds.h"
#include "updater/app/VrDialogShared.h"
#include "updater/app/VrFrontEnd.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/app/VrUpdaterApp.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"
#include "updater/engine/VrUpdater.h"

namespace {

// The label of each control, from the language library.
struct Label {
    int control;
    uint32_t stringId;
};
const Label kLabels[] = {
    {kVrDownloadVersionGroup, 140}, {kVrDownloadCurrentLabel, 141}, {kVrDownloadNewLabel, 142},
    {kVrDownloadShowDetails, 143},  {kVrDownloadOptionGroup, 144},  {kVrDownloadFormatBox, 145},
    {kVrDownloadStart, 146},        {kVrDownloadClose, 147},
};

const int kBusyControls[] = {kVrDownloadStart, kVrDownloadShowDetails, kVrDownloadClose, kVrDownloadFormatBox};

// The overall bar until the engine announces the download's step count.
const int kInitialOverallSteps = 20;

const uint32_t kFormatWarningId = 162;  // the box was checked: all files go
const uint32_t kFormatConfirmId = 631;  // a preset box is confirmed before Start
const uint32_t kDownloadStartedId = 207;

// The shell is given a second to take in a removed or inserted medium.
const DWORD kShellSettleMs = 1000;

}  // namespace

CVrDownloadDlg::CVrDownloadDlg(CVrUpdaterApp& app, bool modal)
    : CVrProgress("CVrDownloadDlg"), m_app(app), m_modal(modal) {}

std::wstring CVrDownloadDlg::Text(uint32_t id, bool forLog) { return VrLoadText(m_app.GetResource(), id, forLog); }

bool CVrDownloadDlg::IsBoxPreset() const {
    bool formatByDefault = false;
    m_app.GetConfig().GetFormatByDefault(formatByDefault);
    const CVrBaseToCmdLineProcessor* commandLine = m_app.GetCommandLine();
    return formatByDefault || (commandLine && commandLine->IsPreselect());
}

// --- The progress sink ---------------------------------------------------------

void CVrDownloadDlg::SetTotal(int32_t steps) {
    m_total = steps;
    if (!IsBusy() || !m_surface) return;
    m_overallUpper = steps & 0xFFFF;
    m_surface->SetBarRange(kVrDownloadOverallBar, m_overallUpper, 1);
}

void CVrDownloadDlg::SetStage(int32_t stage, int32_t range) {
    m_stage = stage;
    m_stageRange = range;
    if (!IsBusy() || !m_surface) return;
    m_surface->SetBarRange(kVrDownloadStageBar, range & 0xFFFF, 1);
    m_surface->SetBarPosition(kVrDownloadStageBar, 0);
    std::wstring text;
    m_app.GetResource().GetStageText(stage, text, false);
    m_surface->SetItemText(kVrDownloadStageText, text);
    if (m_app.IsLogging()) {
        m_app.GetResource().GetStageText(stage, text, true);
        m_app.Log(text);
    }
    m_app.PumpMessages();
    StepTotal();
    if ((stage == kVrStageFailed || stage == kVrStageCompleted) && m_surface) {
        m_surface->SetBarPosition(kVrDownloadOverallBar, m_overallUpper);
    }
}

void CVrDownloadDlg::Step(int32_t advance) {
    if (IsBusy() && advance != 0 && m_surface) m_surface->StepBar(kVrDownloadStageBar);
    m_app.PumpMessages();
}

void CVrDownloadDlg::StepTotal() {
    if (IsBusy() && m_surface) m_surface->StepBar(kVrDownloadOverallBar);
}

int32_t CVrDownloadDlg::BeginDownload() {
    CVrProgress::BeginDownload();
    if (m_app.IsLogging()) m_app.Log(Text(kDownloadStartedId, true));
    CVrUpdater& engine = m_app.GetEngine();
    const int32_t result = engine.OpenDevice();
    if (result != kVrOk && result != kVrTableUnreadable) {
        const int32_t reported = result == kVrNoPlayer ? kVrNoPlayerAtStart : result;
        m_app.ReportError(reported, m_surface ? m_surface->Handle() : nullptr, false);
        CVrProgress::EndDownload();
        return reported;
    }
    if (m_surface) {
        m_surface->SetItemText(kVrDownloadStageText, L"");
        m_surface->SetBarPosition(kVrDownloadStageBar, 0);
        m_surface->SetBarPosition(kVrDownloadOverallBar, 0);
    }
    EnableControls(false);
    // Explorer lets go of the volume that is about to be locked and rewritten.
    NotifyShell(SHCNE_MEDIAREMOVED);
    m_app.GetHost().Sleep(kShellSettleMs);
    return kVrOk;
}

void CVrDownloadDlg::EndDownload() {
    EnableControls(true);
    if (m_surface) m_surface->SetCheck(kVrDownloadFormatBox, IsBoxPreset());
    NotifyShell(SHCNE_MEDIAINSERTED);
    NotifyShell(SHCNE_UPDATEDIR);
    NotifyShell(SHCNE_FREESPACE);
    m_app.GetHost().Sleep(kShellSettleMs);
    CVrProgress::EndDownload();
}

void CVrDownloadDlg::NotifyShell(LONG eventId) {
    const wchar_t letter = m_app.GetEngine().GetDriveLetter();
    if (letter == 0) return;
    const std::wstring root = std::wstring(1, letter) + L":\\";
    m_app.GetHost().SHChangeNotify(eventId, SHCNF_PATHW | SHCNF_FLUSH, root.c_str(), nullptr);
}

void CVrDownloadDlg::EnableControls(bool enable) {
    if (!m_surface) return;
    for (int control : kBusyControls) m_surface->EnableItem(control, enable);
}

// --- The dialog ------------------------------------------------------------------

int CVrDownloadDlg::TemplateId() const { return kVrDownloadTemplate; }

void CVrDownloadDlg::OnInit(VrDialogSurface& surface) {
    m_surface = &surface;
    VrAddAboutEntry(m_app.GetDialogServices(), surface);
    surface.SetWindowIcon(kVrSmallIcon);
    surface.SetCheck(kVrDownloadFormatBox, IsBoxPreset());
    std::wstring title;
    m_app.GetConfig().GetTitle(title);
    surface.SetTitle(title);
    for (const Label& label : kLabels) surface.SetItemText(label.control, Text(label.stringId));
    surface.EnableItem(kVrDownloadStart, true);
    m_overallUpper = kInitialOverallSteps;
    surface.SetBarRange(kVrDownloadOverallBar, m_overallUpper, 1);
    RefreshVersions();
}

void CVrDownloadDlg::OnCommand(int id) {
    switch (id) {
    case kVrDownloadStart:
        Start();
        break;
    case kVrDownloadShowDetails:
        ShowDetails();
        break;
    case kVrDownloadFormatBox:
        FormatBoxClicked();
        break;
    case kVrDownloadClose:
        Close();
        break;
    case kVrIdCancel:
        // Escape and the close box must not pull the window from under a
        // running download.
        if (!IsBusy()) Close();
        break;
    default:
        break;
    }
}

bool CVrDownloadDlg::OnSysCommand(int id) { return m_surface && VrOpenAboutBox(m_app.GetDialogServices(), *m_surface, id); }

void CVrDownloadDlg::OnDestroy() {
    m_surface = nullptr;
    // The auto-start path pumps messages until the dialog has gone.
    if (!m_modal) m_app.GetFrontEnd().PostQuit();
}

void CVrDownloadDlg::Close() {
    if (m_surface) m_surface->Close(kVrIdOk);
}

void CVrDownloadDlg::FormatBoxClicked() {
    if (!m_surface || !m_surface->IsChecked(kVrDownloadFormatBox)) return;
    if (!AskYesNo(kFormatWarningId)) m_surface->SetCheck(kVrDownloadFormatBox, false);
}

void CVrDownloadDlg::Start() {
    if (!m_surface) return;
    const CVrBaseToCmdLineProcessor* commandLine = m_app.GetCommandLine();
    const bool noQuestions = commandLine && commandLine->IsNoQuestions();
    bool formatByDefault = false;
    m_app.GetConfig().GetFormatByDefault(formatByDefault);

    m_surface->SetWaitCursor(true);
    bool box = m_surface->IsChecked(kVrDownloadFormatBox);
    if (box && formatByDefault && !noQuestions && !AskYesNo(kFormatConfirmId)) {
        m_lastResult = kVrOk;
        m_surface->SetWaitCursor(false);
        return;
    }
    m_lastResult = BeginDownload();
    if (m_lastResult == kVrOk) {
        m_lastResult = VrRunDownload(m_app.GetEngine(), *this, box, noQuestions);
        // The box shows the way the download took until the dialog is ready again.
        if (m_surface) m_surface->SetCheck(kVrDownloadFormatBox, box);
        EndDownload();
    }
    if (m_surface) m_surface->SetWaitCursor(false);
    if (commandLine && commandLine->IsAutoClose()) Close();
}

void CVrDownloadDlg::ShowDetails() {
    if (!m_surface) return;
    CVrUpdater& engine = m_app.GetEngine();
    int32_t result = engine.OpenDevice();
    engine.ReleaseDevice();
    // The details show what the files hold even without a player.
    if (result != kVrOk && result != kVrTableUnreadable) {
        m_app.ReportError(result == kVrNoPlayer ? kVrNoPlayerForDetails : result, m_surface->Handle(), false);
    }
    const CVrVersionInfoPtrArray* current = nullptr;
    const CVrVersionInfoPtrArray* next = nullptr;
    result = engine.GetVersionArrays(current, next);
    if (result != kVrOk) {
        m_app.ReportError(result, m_surface->Handle(), false);
        return;
    }
    CVrDetailsDlg details(m_app.GetHost(), m_app.GetResource(), *current, *next, m_app.GetConfig(),
                          engine.GetChipRevision());
    m_app.GetFrontEnd().RunModal(details, m_surface->Handle());
}

// --- The download window ------------------------------------------------------------

bool CVrDownloadDlg::AskYesNo(uint32_t stringId) {
    return m_app.GetFrontEnd().ShowMessage(kVrMessageOption, Text(stringId), L"",
                                           m_surface ? m_surface->Handle() : nullptr) == kVrButtonYes;
}

void CVrDownloadDlg::Report(int32_t code) { m_app.ReportError(code, m_surface ? m_surface->Handle() : nullptr, false); }

void CVrDownloadDlg::RefreshVersions() {
    CVrVersionInfo current, next;
    const int32_t result = m_app.GetEngine().GetProductVersions(current, next);
    // A player whose table cannot be read still shows the new version; its
    // own is unknown.
    if (result != kVrOk && result != kVrTableUnreadable) {
        Report(result);
        return;
    }
    if (!m_surface) return;
    m_surface->SetItemText(kVrDownloadCurrentVersion, current.ToString());
    m_surface->SetItemText(kVrDownloadNewVersion, next.ToString());
}
