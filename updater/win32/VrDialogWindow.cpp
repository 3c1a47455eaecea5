#include "updater/win32/VrDialogWindow.h"

#include "updater/app/VrDialogSurface.h"

template <class Frame>
VrDialogWindow<Frame>::VrDialogWindow(VrDialog& dialog, CVrIconLoader& icons)
    : VrWin32Surface(static_cast<CDialog&>(*this), icons), m_dialog(dialog) {}

template <class Frame>
VrDialogWindow<Frame>::~VrDialogWindow() {
    this->Destroy();
}

template <class Frame>
bool VrDialogWindow<Frame>::OnInit() {
    m_dialog.OnInit(*this);
    return true;
}

template <class Frame>
bool VrDialogWindow<Frame>::OnCommand(WORD code, WORD id, HWND /*control*/) {
    // Enter and Escape (and the close box, which the dialog manager turns into
    // IDCANCEL) arrive with codes of their own; the rest are button clicks.
    // Edit controls' notifications are none of the logic's business.
    if (code != BN_CLICKED && id != IDOK && id != IDCANCEL) return false;
    m_dialog.OnCommand(id);
    return true;
}

template <class Frame>
bool VrDialogWindow<Frame>::OnSysCommand(WPARAM command) {
    // The program's own system-menu commands (16 to 31) arrive as they are;
    // the system's carry flags in their low bits and go to the default.
    return m_dialog.OnSysCommand(int(command));
}

template <class Frame>
bool VrDialogWindow<Frame>::OnPaint() {
    // A minimised dialog draws its own icon in the middle of its client area.
    HICON icon = WindowIcon();
    if (!this->IsIconic() || !icon) return false;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(*this, &paint);
    this->Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    RECT client;
    ::GetClientRect(*this, &client);
    int width = ::GetSystemMetrics(SM_CXICON);
    int height = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (client.right - client.left - width + 1) / 2,
               (client.bottom - client.top - height + 1) / 2, icon);
    ::EndPaint(*this, &paint);
    return true;
}

template <class Frame>
bool VrDialogWindow<Frame>::OnSetCursor(HWND /*window*/, UINT /*hitTest*/) {
    // Without this the cursor turns back into the arrow at the first move.
    if (!IsWaiting()) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

template <class Frame>
void VrDialogWindow<Frame>::OnDestroy() {
    m_dialog.OnDestroy();
}

template class VrDialogWindow<CModalDialog>;
template class VrDialogWindow<CModelessDialog>;
