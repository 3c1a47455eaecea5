// A dialog as the updater's portable logic sees it: a window whose controls
// are addressed by their resource ids. The Win32 front end backs a surface
// with a real dialog; the console front end with text on the terminal; the
// tests with a recording.
#pragma once

#include <string>

#include "updater/app/VrMessageKinds.h"

class VrDialogSurface {
public:
    virtual ~VrDialogSurface() = default;

    // The window that owns boxes shown over this dialog.
    virtual VrWindowHandle Handle() const = 0;

    virtual void SetTitle(const std::wstring& title) = 0;
    virtual void SetItemText(int id, const std::wstring& text) = 0;
    virtual void ShowItem(int id, bool show) = 0;
    virtual void EnableItem(int id, bool enable) = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    virtual bool IsChecked(int id) const = 0;

    // Progress bars: the range is 0 to `upper` (16-bit), one step is `step`.
    virtual void SetBarRange(int id, int upper, int step) = 0;
    virtual void SetBarPosition(int id, int position) = 0;
    virtual void StepBar(int id) = 0;

    // The animation control plays its clip from the first to the last frame
    // without end, or stops.
    virtual void PlayAnimation(int id, bool play) = 0;

    // The window's big and small icon (16 by 16), and an icon control's
    // picture (icon 135 is drawn at 32 by 32).
    virtual void SetWindowIcon(int iconId) = 0;
    virtual void SetItemIcon(int id, int iconId) = 0;
    // A separator and `text` (command `command`) at the end of the system menu.
    virtual void AddSystemMenuEntry(int command, const std::wstring& text) = 0;

    virtual void ShowWindow(bool show) = 0;
    virtual void SetWaitCursor(bool wait) = 0;

    // A modal dialog ends with `result`; a modeless one is destroyed, and
    // with the download dialog the program's message pumping ends.
    virtual void Close(int result) = 0;
};

// The logic of one dialog, which a front end connects to a surface.
class VrDialog {
public:
    virtual ~VrDialog() = default;

    virtual int TemplateId() const = 0;
    // The surface stays valid until OnDestroy.
    virtual void OnInit(VrDialogSurface& surface) = 0;
    // A button or check box was clicked; kVrIdCancel also stands for Escape
    // and the close box.
    virtual void OnCommand(int id) = 0;
    // A system-menu command; false lets the window take its default action.
    virtual bool OnSysCommand(int /*id*/) { return false; }
    virtual void OnDestroy() {}
};
