#include "framework/Dialog.h"

#include "framework/SubclassedWindow.h"

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        dialog->Attach(window);
    } else {
        dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    }
    // WM_SETFONT and the like come before WM_INITDIALOG, with no object yet.
    if (!dialog) return FALSE;
    INT_PTR handled = dialog->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->Detach();
    }
    return handled;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInit();
    case WM_COMMAND:
        return OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam);
    case WM_NOTIFY:
    case WM_DRAWITEM: {
        // A control with an object of its own answers for itself first.
        LRESULT result = 0;
        if (CSubclassedWnd::Reflect(message, wParam, lParam, result)) {
            ::SetWindowLongPtrW(GetHandle(), DWLP_MSGRESULT, result);
            return TRUE;
        }
        if (message == WM_NOTIFY && OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) return TRUE;
        return Other(message, wParam, lParam);
    }
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_PAINT:
        return OnPaint();
    case WM_SETCURSOR:
        if (!OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return FALSE;
        // The dialog manager hands the answer on only through DWLP_MSGRESULT.
        ::SetWindowLongPtrW(GetHandle(), DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return Other(message, wParam, lParam);
    }
}

INT_PTR CDialog::Other(UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    return OnMessage(message, wParam, lParam, result) ? result : FALSE;
}

INT_PTR CModalDialog::Run(HINSTANCE module, int templateId, HWND parent) {
    return ::DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), parent, DialogProc,
                             CreationParameter());
}

void CModalDialog::Close(INT_PTR result) {
    ::EndDialog(GetHandle(), result);
}

bool CModelessDialog::Create(HINSTANCE module, int templateId, HWND parent) {
    return ::CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), parent, DialogProc,
                                CreationParameter()) != nullptr;
}

void CModelessDialog::Close(INT_PTR /*result*/) {
    Destroy();
}
