// The text-to-speech hand-off: starting the outside program (or raising
// it), waiting up to ten seconds for its window while this window stays
// alive, asking it to begin, and moving each file it hands back onto the
// player as an ".mp3" file.

#include "manager/window/ManagerDlg.h"

#include "manager/app/ManagerStartup.h"
#include "manager/app/SpeechImport.h"
#include "manager/app/SpeechProgram.h"
#include "usbsupport/Quell.h"

namespace {

// "未发现TTS!" and its English counterpart: fixed in the program.
const wchar_t kSpeechMissing[] = L"\u672a\u53d1\u73b0TTS!";
const wchar_t kSpeechMissingEnglish[] = L"Not Find ZUZUVURA_1.exe!";
const wchar_t kApplicationTitle[] = L"Tavlo";

}  // namespace

void CManagerDlg::StartSpeech() {
    if (QGetOSVer() > 4) QCheckUsbDevice(kPlayerVendorId, kPlayerProductId);
    if (m_navigation.empty()) {
        Warn(kNoPlayer);
        return;
    }
    const std::wstring folder = ReadSpeechProgramFolder(m_host);
    if (folder.empty()) {
        if (m_languageMode == 1) {
            ::MessageBoxW(GetHandle(), kSpeechMissing, m_layout.Definition().Message(kWarningCaption).c_str(),
                          MB_OK | MB_ICONWARNING);
        } else {
            ::MessageBoxW(GetHandle(), m_languageMode == 2 ? kSpeechMissingEnglish : kSpeechMissing,
                          kApplicationTitle, MB_OK);
        }
        return;
    }
    m_speechWindow = ::FindWindowW(kSpeechWindowClass, nullptr);
    if (!m_speechWindow) RunSpeechProgram(folder);

    m_speechWaitOver = false;
    ::SetTimer(GetHandle(), kSpeechWaitTimer, kSpeechWaitMs, nullptr);
    while (!m_speechWaitOver) {
        if (m_speechWindow) {
            ::SetForegroundWindow(m_speechWindow);
            if (::IsIconic(m_speechWindow)) ::ShowWindow(m_speechWindow, SW_RESTORE);
            break;
        }
        MSG message;
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!::IsDialogMessageW(GetHandle(), &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        } else {
            // Nothing to dispatch: let the program start rather than spin.
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        m_speechWindow = ::FindWindowW(kSpeechWindowClass, nullptr);
    }
    if (m_speechWindow) {
        m_speechWaitOver = false;
        ::KillTimer(GetHandle(), kSpeechWaitTimer);
        ::SendMessageW(m_speechWindow, kSpeechBeginMessage, 0, 0);
    }
}

// The program's path is quoted on its command line; it starts shown, as
// WinExec with SW_SHOW would start it, with a Unicode command line so that
// a folder named outside the system's code page works too.
void CManagerDlg::RunSpeechProgram(const std::wstring& folder) {
    std::wstring commandLine = SpeechCommandLine(folder);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

void CManagerDlg::OnSpeechWaitOver() {
    m_speechWaitOver = true;
    ::KillTimer(GetHandle(), kSpeechWaitTimer);
}

// The outside program sends the path in the system's code page; only
// cbData bytes of it are read.
void CManagerDlg::OnCopyData(const COPYDATASTRUCT& data) {
    const std::string text = CopyDataText(data.lpData, data.cbData);
    std::wstring path;
    if (!text.empty()) {
        const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        path.resize(length > 0 ? static_cast<size_t>(length) : 0);
        if (length > 0) {
            ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &path[0], length);
        }
    }
    m_importPath = path;
    if (!m_importPath.empty()) ::SetTimer(GetHandle(), kSpeechImportTimer, kSpeechImportDelayMs, nullptr);
}

void CManagerDlg::ImportSpeechFile() {
    ::KillTimer(GetHandle(), kSpeechImportTimer);
    // In front of the outside program again.
    ::BringWindowToTop(GetHandle());
    ::ShowWindow(GetHandle(), SW_SHOWMINNOACTIVE);
    ::ShowWindow(GetHandle(), SW_SHOWNORMAL);

    SpeechImportTarget target;
    const std::wstring root = m_navigation.empty() ? std::wstring() : m_navigation.front()->FileSystemPath();
    bool moved = SpeechImportDestination(m_navigation.size(), root, SpeechImportName(m_importPath), target);
    if (moved) {
        if (!target.folder.empty()) ::CreateDirectoryW(target.folder.c_str(), nullptr);
        TransferPlan plan;
        plan.sources = {m_importPath};
        plan.destinations = {target.destination};
        // The shell reports its own errors; only a move it never began is ours to report.
        moved = RunFileOperation(plan, file_operation::kMove, kImportFlags).started;
    }
    if (!moved) {
        Warn(kCopyToPlayerFailed);
        return;
    }
    FillPlayerList();
    RefreshGauge(true);
    RefreshCapacityTexts();
}
