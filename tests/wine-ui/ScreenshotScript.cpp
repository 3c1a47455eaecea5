#include "tests/wine-ui/ScreenshotScript.h"

#include <commctrl.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "platform/TextCodec.h"
#include "tests/wine-ui/WindowCapture.h"
#include "updater/app/VrDialogIds.h"
#include "updater/app/VrFrontEnd.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/app/VrUpdaterApp.h"
#include "updater/device/VrSenseText.h"
#include "updater/base/VrBase.h"
#include "updater/base/VrByteArray.h"
#include "updater/base/VrResult.h"
#include "updater/engine/VrUpdater.h"

namespace {

const UINT kTickMs = 200;
// A window is taken as painted once it has been on top for this many ticks;
// it is painted afresh then, and its picture taken at the next tick.
const int kSettleTicks = 2;

// Win32 gives a thread timer no context of its own.
ScreenshotScript* g_script = nullptr;

// A write the player refused with a status of its own (NAND flash program
// error), as the SCSI transport records it for the error report.
class RefusedWrite : public CVrBase {
public:
    RefusedWrite() : CVrBase("CVrScsiDevice") { SetResult(kVrCheckCondition); }
};

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

bool Shown(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowVisible(control);
}

bool Enabled(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowEnabled(control);
}

// The final stages put the overall bar at the upper end of its range, and the
// buttons come back when the sink is no longer busy.
bool DownloadEnded(HWND dialog) {
    HWND bar = GetDlgItem(dialog, kVrDownloadOverallBar);
    LRESULT upper = SendMessageW(bar, PBM_GETRANGE, FALSE, 0);
    LRESULT position = SendMessageW(bar, PBM_GETPOS, 0, 0);
    return upper > 0 && position == upper && Enabled(dialog, kVrDownloadStart) && Enabled(dialog, kVrDownloadClose);
}

// A click as the button sends it to its dialog.
void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

BOOL CALLBACK CollectText(HWND control, LPARAM texts) {
    std::wstring text = TextOf(control);
    if (!text.empty() && IsWindowVisible(control)) reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(text);
    return TRUE;
}

BOOL CALLBACK FindTop(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

ScreenshotScript::ScreenshotScript(CVrUpdaterApp& app, const std::wstring& folder, std::function<void()> plugPlayer)
    : m_app(app), m_folder(folder), m_plugPlayer(std::move(plugPlayer)) {}

ScreenshotScript::~ScreenshotScript() {
    if (m_timer) KillTimer(nullptr, m_timer);
    g_script = nullptr;
}

void ScreenshotScript::Start() {
    g_script = this;
    m_timer = SetTimer(nullptr, 0, kTickMs, &ScreenshotScript::OnTimer);
}

bool ScreenshotScript::Finished() const { return m_step == Step::kDone; }

const char* ScreenshotScript::Waiting() const {
    switch (m_step.load()) {
    case Step::kSearch: return "the search dialog";
    case Step::kDownload: return "the download dialog";
    case Step::kDetails: return "the details dialog";
    case Step::kAboutRequest: return "the download dialog after the details";
    case Step::kAbout: return "the about box";
    case Step::kFormatBox: return "the download dialog after the about box";
    case Step::kFormatQuestion: return "the question of the Format Data Area box";
    case Step::kStart: return "the download dialog after the question";
    case Step::kDownloading: return "the end of the download";
    case Step::kReport: return "the download dialog after the download";
    case Step::kCollapsed: return "the message box with details";
    case Step::kExpanded: return "the message box's details pane";
    case Step::kReported: return "the message box to close";
    case Step::kClose: return "the download dialog after the message box";
    case Step::kDone: return "the program to end";
    }
    return "";
}

void CALLBACK ScreenshotScript::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_script) g_script->Tick();
}

HWND ScreenshotScript::TopWindow() {
    // A modal dialog or box disables its owner, so the one enabled visible
    // window of the thread is the one the user faces.
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTop, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The dialogs are told apart by controls only they have; the download dialog
// has a 1008 too (its Format Data Area box), but no 1009.
ScreenshotScript::Kind ScreenshotScript::Recognise(HWND window) {
    if (!window) return Kind::kNone;
    auto has = [window](int id) { return GetDlgItem(window, id) != nullptr; };
    if (has(kVrMessageExpand) && has(kVrMessageCollapse)) return Kind::kDetailedMessage;
    if (has(kVrDetailsChipRevision)) return Kind::kDetails;
    if (has(kVrAboutIconControl) && has(kVrAboutLegalNotice)) return Kind::kAbout;
    if (has(kVrDownloadStageText)) return Kind::kDownload;
    if (has(kVrSearchStatus)) return Kind::kSearch;
    wchar_t windowClass[16] = L"";
    GetClassNameW(window, windowClass, 16);
    return std::wstring(windowClass) == L"#32770" ? Kind::kPlainMessage : Kind::kOther;
}

void ScreenshotScript::Tick() {
    HWND window = TopWindow();
    Kind kind = Recognise(window);
    if (window != m_window || kind != m_kind) {
        m_window = window;
        m_kind = kind;
        m_settled = 0;
    }
    ++m_settled;
    if (m_settled == kSettleTicks && window) Refresh(window);
    if (m_settled <= kSettleTicks) return;
    Act(window, kind);
}

void ScreenshotScript::Act(HWND window, Kind kind) {
    const Step step = m_step;
    const bool boxExpected = step == Step::kFormatQuestion || step == Step::kCollapsed ||
                             step == Step::kExpanded || step == Step::kReported;
    if ((kind == Kind::kPlainMessage || kind == Kind::kDetailedMessage) && !boxExpected) {
        Abort(window, std::string("a message box came while waiting for ") + Waiting());
    }
    switch (step) {
    case Step::kSearch:
        if (kind != Kind::kSearch) return;
        Capture(window, L"search");
        m_plugPlayer();
        Advance(Step::kDownload);
        return;
    case Step::kDownload:
        if (kind != Kind::kDownload) return;
        Capture(window, L"download");
        Click(window, kVrDownloadShowDetails);
        Advance(Step::kDetails);
        return;
    case Step::kDetails:
        if (kind != Kind::kDetails) return;
        Capture(window, L"details");
        Click(window, kVrIdOk);
        Advance(Step::kAboutRequest);
        return;
    case Step::kAboutRequest:
        if (kind != Kind::kDownload) return;
        PostMessageW(window, WM_SYSCOMMAND, kVrAboutCommand, 0);
        Advance(Step::kAbout);
        return;
    case Step::kAbout:
        if (kind != Kind::kAbout) return;
        Capture(window, L"about");
        Click(window, kVrIdOk);
        Advance(Step::kFormatBox);
        return;
    case Step::kFormatBox:
        if (kind != Kind::kDownload) return;
        // The box changes its state on a real click before it tells the dialog.
        SendDlgItemMessageW(window, kVrDownloadFormatBox, BM_SETCHECK, BST_CHECKED, 0);
        Click(window, kVrDownloadFormatBox);
        Advance(Step::kFormatQuestion);
        return;
    case Step::kFormatQuestion:
        if (kind != Kind::kPlainMessage) return;
        Capture(window, L"format-question");
        Click(window, IDYES);
        Advance(Step::kStart);
        return;
    case Step::kStart:
        if (kind != Kind::kDownload) return;
        if (IsDlgButtonChecked(window, kVrDownloadFormatBox) != BST_CHECKED) {
            Abort(window, "the Format Data Area box is not checked after the answer Yes");
        }
        Click(window, kVrDownloadStart);
        Advance(Step::kDownloading);
        return;
    case Step::kDownloading:
        if (kind != Kind::kDownload || !DownloadEnded(window)) return;
        Capture(window, L"download-done");
        Advance(Step::kReport);
        return;
    case Step::kReport:
        if (kind != Kind::kDownload) return;
        ShowReport(window);
        return;
    case Step::kCollapsed:
        if (kind != Kind::kDetailedMessage || !Shown(window, kVrMessageExpand)) return;
        Capture(window, L"message");
        Click(window, kVrMessageExpand);
        Advance(Step::kExpanded);
        return;
    case Step::kExpanded:
        if (kind != Kind::kDetailedMessage || !Shown(window, kVrMessageCollapse)) return;
        Capture(window, L"message-details");
        Click(window, kVrIdOk);
        Advance(Step::kReported);
        return;
    case Step::kReported:
        return;
    case Step::kClose:
        if (kind != Kind::kDownload) return;
        Click(window, kVrDownloadClose);
        Advance(Step::kDone);
        return;
    case Step::kDone:
        return;
    }
}

void ScreenshotScript::Advance(Step next) {
    m_step = next;
    m_window = nullptr;
    m_kind = Kind::kNone;
    m_settled = 0;
}

// Wine's desktop on an X server without a window manager makes the first
// window of a process the active one but leaves its title bar drawn inactive;
// the frame is told what the window is. The whole window is then painted
// afresh; an animation draws its frame again only at its next tick.
void ScreenshotScript::Refresh(HWND window) {
    if (GetForegroundWindow() == window) SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void ScreenshotScript::Capture(HWND window, const wchar_t* name) {
    // What is still to be painted, children included, before the copy.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::string error;
    if (!CaptureWindow(window, m_folder + L"\\" + name + L".bmp", error)) {
        Abort(window, "no picture of " + Utf8FromWide(name) + ": " + error);
    }
}

// The report of a refused command, composed by the program from its language
// library, shown over the download dialog. The box runs its own modal loop,
// in which the following ticks take its pictures and close it.
void ScreenshotScript::ShowReport(HWND owner) {
    CVrByteArray sense(18);
    sense.SetAt(0, 0x70);
    sense.SetAt(2, 0x09);
    sense.SetWord(0x0402, 12);
    m_app.GetEngine().GetErrorRecord().RecordWithDetail(RefusedWrite(), VrSenseText(&sense, &m_app.GetResource()));
    std::wstring message, details;
    m_app.ComposeError(kVrCheckCondition, message, details, false);

    Advance(Step::kCollapsed);
    int button = m_app.GetFrontEnd().ShowMessage(kVrMessageError, message, details, owner);
    if (m_step != Step::kReported || button != kVrButtonOk) {
        Abort(nullptr, "the message box with details ended with button " + std::to_string(button) +
                           " while waiting for " + Waiting());
    }
    Advance(Step::kClose);
}

// Ends the program at once: its windows and loops cannot be trusted to end
// it. The window in question is kept as a picture and its texts printed.
void ScreenshotScript::Abort(HWND window, const std::string& why) {
    std::fprintf(stderr, "caddis-sim: %s\n", why.c_str());
    if (window) {
        std::vector<std::wstring> texts{TextOf(window)};
        EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&texts));
        for (const std::wstring& text : texts) std::fprintf(stderr, "  window text: %s\n", Utf8FromWide(text).c_str());
        std::string ignored;
        CaptureWindow(window, m_folder + L"\\unexpected.bmp", ignored);
    }
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 1);
    for (;;) Sleep(INFINITE);
}
