#include "manager/window/PreviewPlayer.h"

#include <vfw.h>

#include "manager/app/PreviewSession.h"
#include "manager/views/ManagerMessages.h"

namespace {

const DWORD kMciWindowStyle = WS_CHILD | MCIWNDF_NOTIFYPOS;  // 0x40000200: not visible
const UINT kGetPosition = WM_USER + 102;                      // the number itself, not a text
const UINT_PTR kReporterTimer = 0x7025;
const UINT kReporterIntervalMs = 250;
const wchar_t kReporterProperty[] = L"Tavlo.PreviewReporter";

// What the reporter keeps on its window, from its installing to WM_NCDESTROY.
struct Reporter {
    WNDPROC previous;
    MediaMode lastMode;
};

MediaMode ModeOf(HWND window) {
    switch (::SendMessageW(window, MCIWNDM_GETMODEW, 0, 0)) {
    case MCI_MODE_PLAY:
        return MediaMode::kPlaying;
    case MCI_MODE_STOP:
        return MediaMode::kStopped;
    default:
        return MediaMode::kOther;
    }
}

void SendPosition(HWND window, long position) {
    ::SendMessageW(::GetParent(window), UM_PREVIEW_POSITION, 0, position);
}

LRESULT CALLBACK ReportPositions(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Reporter* reporter = static_cast<Reporter*>(::GetPropW(window, kReporterProperty));
    if (!reporter) return ::DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC previous = reporter->previous;
    if (message == MCIWNDM_GETSTART) {
        SendPosition(window, static_cast<long>(::SendMessageW(window, kGetPosition, 0, 0)));
    } else if (message == WM_TIMER && wParam == kReporterTimer) {
        const MediaMode mode = ModeOf(window);
        long report = 0;
        const long position = static_cast<long>(::SendMessageW(window, kGetPosition, 0, 0));
        const long length = static_cast<long>(::SendMessageW(window, MCIWNDM_GETLENGTH, 0, 0));
        const MediaMode lastMode = reporter->lastMode;
        reporter->lastMode = mode;
        if (PreviewReportAt(mode, lastMode, position, length, report)) SendPosition(window, report);
        return 0;
    } else if (message == WM_NCDESTROY) {
        ::KillTimer(window, kReporterTimer);
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ::RemovePropW(window, kReporterProperty);
        delete reporter;
    }
    return ::CallWindowProcW(previous, window, message, wParam, lParam);
}

void InstallReporter(HWND window) {
    Reporter* reporter = new Reporter{nullptr, MediaMode::kOther};
    if (!::SetPropW(window, kReporterProperty, reporter)) {
        delete reporter;
        return;
    }
    reporter->previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReportPositions)));
    ::SetTimer(window, kReporterTimer, kReporterIntervalMs, nullptr);
}

}  // namespace

HWND CPreviewPlayer::Open(HWND parent, HINSTANCE instance) {
    Close();
    m_state = kOpened;
    m_window = ::MCIWndCreateW(parent, instance, kMciWindowStyle, m_path.c_str());
    if (!m_window) return nullptr;
    // Wine's MCI window shows itself (its play bar over the main window's
    // corner) even without WS_VISIBLE; the preview's window stays unseen.
    ::ShowWindow(m_window, SW_HIDE);
    InstallReporter(m_window);
    return m_window;
}

void CPreviewPlayer::Play() {
    if (!m_window) return;
    m_state = kPlaying;
    ::SendMessageW(m_window, MCI_PLAY, 0, 0);
}

void CPreviewPlayer::Seek(long position) {
    if (!m_window) return;
    ::SendMessageW(m_window, MCI_SEEK, 0, position);
}

void CPreviewPlayer::Pause() {
    if (!m_window) return;
    m_state = kPaused;
    ::SendMessageW(m_window, MCI_PAUSE, 0, 0);
}

void CPreviewPlayer::Close() {
    if (!m_window) return;
    m_state = kClosed;
    ::SendMessageW(m_window, WM_CLOSE, 0, 0);
    // An MCI window that only closed its device on WM_CLOSE goes too, so
    // that no hidden window is left behind at each preview.
    if (::IsWindow(m_window)) ::DestroyWindow(m_window);
    m_window = nullptr;
}

long CPreviewPlayer::Length() const {
    return m_window ? static_cast<long>(::SendMessageW(m_window, MCIWNDM_GETLENGTH, 0, 0)) : 0;
}
