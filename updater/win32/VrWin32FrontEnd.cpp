#include "updater/win32/VrWin32FrontEnd.h"

#include <commctrl.h>

#include "framework/Dialog.h"
#include "updater/win32/VrAdministrator.h"
#include "updater/win32/VrDialogWindow.h"
#include "updater/win32/VrMessageBox.h"

int VrWin32FrontEnd::ShowMessage(int kind, const std::wstring& message, const std::wstring& details,
                                 VrWindowHandle parent) {
    return VrShowMessage(m_host, kind, message, details, parent);
}

void VrWin32FrontEnd::SetFailureRecord(CVrErrorRecord& record) {
    m_icons.SetFailureRecord(&record);
}

void VrWin32FrontEnd::Initialise() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
}

bool VrWin32FrontEnd::IsAdministrator() {
    return VrIsAdministrator();
}

bool VrWin32FrontEnd::BringForward(const std::vector<std::wstring>& titles) {
    for (const std::wstring& title : titles) {
        HWND window = ::FindWindowW(nullptr, title.c_str());
        if (!window) continue;
        if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
        ::SetForegroundWindow(::GetLastActivePopup(window));
        return true;
    }
    return false;
}

bool VrWin32FrontEnd::PumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The loop that waits for the quit message must see it too.
            ::PostQuitMessage(int(message.wParam));
            return false;
        }
        // Every window of the program is a dialog (or a control on one): its
        // dialog gets the keys first, so that Tab, Enter and Escape work while
        // a long operation pumps.
        HWND dialog = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (dialog && ::IsDialogMessageW(dialog, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

void VrWin32FrontEnd::WaitForMessages(DWORD milliseconds) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

void VrWin32FrontEnd::PostQuit() {
    ::PostQuitMessage(0);
}

int VrWin32FrontEnd::RunModal(VrDialog& dialog, VrWindowHandle parent) {
    VrDialogWindow<CModalDialog> window(dialog, m_icons);
    return int(window.Run(::GetModuleHandleW(nullptr), dialog.TemplateId(), parent));
}

std::unique_ptr<VrDialogSurface> VrWin32FrontEnd::CreateModeless(VrDialog& dialog) {
    auto window = std::make_unique<VrDialogWindow<CModelessDialog>>(dialog, m_icons);
    window->Create(::GetModuleHandleW(nullptr), dialog.TemplateId(), nullptr);
    return window;
}
