// A dialog surface over a real dialog window: the portable dialog logic sets
// texts, bars, the animation and icons by control id, and closes the dialog
// the way its window was made.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "updater/app/VrDialogSurface.h"

class CVrIconLoader;

class VrWin32Surface : public VrDialogSurface {
public:
    VrWin32Surface(CDialog& window, CVrIconLoader& icons) : m_window(window), m_icons(icons) {}

    VrWindowHandle Handle() const override { return m_window.GetHandle(); }
    void SetTitle(const std::wstring& title) override;
    void SetItemText(int id, const std::wstring& text) override;
    void ShowItem(int id, bool show) override;
    void EnableItem(int id, bool enable) override;
    void SetCheck(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void SetBarRange(int id, int upper, int step) override;
    void SetBarPosition(int id, int position) override;
    void StepBar(int id) override;
    void PlayAnimation(int id, bool play) override;
    void SetWindowIcon(int iconId) override;
    void SetItemIcon(int id, int iconId) override;
    void AddSystemMenuEntry(int command, const std::wstring& text) override;
    void ShowWindow(bool show) override;
    void SetWaitCursor(bool wait) override;
    void Close(int result) override;

    // What the window itself draws and shows: its icon while minimised, the
    // wait cursor while the logic is busy.
    HICON WindowIcon() const { return m_windowIcon; }
    bool IsWaiting() const { return m_waiting; }

private:
    CDialog& m_window;
    CVrIconLoader& m_icons;
    HICON m_windowIcon = nullptr;
    bool m_waiting = false;
    HCURSOR m_cursorBeforeWait = nullptr;
};
