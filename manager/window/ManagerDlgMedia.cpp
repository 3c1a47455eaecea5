// The main window's commands, messages and timers of the preview,
// formatting, text-to-speech and help, handed to their handlers.

#include "manager/window/ManagerDlg.h"

#include "manager/app/ManagerControls.h"
#include "manager/app/SpeechProgram.h"
#include "manager/views/ManagerMessages.h"

bool CManagerDlg::OnMediaCommand(WORD id) {
    switch (id) {
    case kPlayButton:
        PlayPreview(false);
        return true;
    case kPlayCommand:
        PlayPreview(true);
        return true;
    case kStopButton:
    case kStopCommand:
        StopPreview();
        return true;
    case kFormatButton:
    case kFormatCommand:
        FormatPlayer();
        return true;
    case kSpeechButton:
    case kSpeechCommand:
        StartSpeech();
        return true;
    case kHelpCommand:
        ShowHelp();
        return true;
    default:
        return false;
    }
}

bool CManagerDlg::OnMediaMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case UM_PREVIEW_POSITION:
        OnPreviewPosition(static_cast<long>(lParam));
        result = 1;
        ::SetWindowLongPtrW(GetHandle(), DWLP_MSGRESULT, 1);
        return true;
    case WM_HSCROLL:
        OnSliderScroll(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        // The default scroll handling follows.
        return false;
    case WM_COPYDATA:
        if (lParam) OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return false;
    case WM_HELP:
        ShowHelp();
        result = TRUE;
        return true;
    default:
        return false;
    }
}

bool CManagerDlg::OnTimer(UINT_PTR timer) {
    if (timer == kSpeechWaitTimer) {
        OnSpeechWaitOver();
        return true;
    }
    if (timer == kSpeechImportTimer) {
        ImportSpeechFile();
        return true;
    }
    return false;
}
