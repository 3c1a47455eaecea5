// The window of one of the updater's dialogs: it makes the dialog from the
// template the logic names, is the logic's surface, and hands the window's
// events to the logic. `Frame` is CModalDialog or CModelessDialog.
#pragma once

#include "framework/Dialog.h"
#include "updater/win32/VrWin32Surface.h"

class VrDialog;

template <class Frame>
class VrDialogWindow final : public Frame, public VrWin32Surface {
public:
    VrDialogWindow(VrDialog& dialog, CVrIconLoader& icons);
    // A window still there (a modeless one whose logic did not close it) is
    // destroyed while the logic can still hear of it.
    ~VrDialogWindow() override;

private:
    bool OnInit() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;
    bool OnSysCommand(WPARAM command) override;
    bool OnPaint() override;
    bool OnSetCursor(HWND window, UINT hitTest) override;
    void OnDestroy() override;

    VrDialog& m_dialog;
};
