// A dialog on the terminal: its controls keep their state as a window's
// would, and what a user would see change is written out while it is up.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "updater/app/VrDialogSurface.h"
#include "updater/console/VrConsoleTerminal.h"

// The id a change of the window's title goes by; no control has it.
const int kVrConsoleTitle = 0;

struct VrConsoleControl {
    std::wstring text;
    bool shown = true;
    bool enabled = true;
    bool checked = false;
    int upper = 0;  // a progress bar's range, step and position
    int step = 0;
    int position = 0;
};

// What one dialog holds, as its window would.
struct VrConsoleDialog {
    int templateId = 0;
    std::wstring title;
    bool visible = false;
    bool waitCursor = false;
    bool closed = false;
    int result = 0;
    std::map<int, VrConsoleControl> controls;
    std::vector<std::pair<int, std::wstring>> systemMenu;  // command, text

    // A control that was never touched is shown, enabled and empty.
    const VrConsoleControl& Control(int id) const;
};

class VrConsoleSurface : public VrDialogSurface {
public:
    VrConsoleSurface(VrConsoleTerminal& terminal, VrDialog& dialog, bool modal);
    // A modeless dialog whose owner lets it go is closed with it.
    ~VrConsoleSurface() override;

    VrWindowHandle Handle() const override;
    void SetTitle(const std::wstring& title) override;
    void SetItemText(int id, const std::wstring& text) override;
    void ShowItem(int id, bool show) override;
    void EnableItem(int id, bool enable) override { m_state.controls[id].enabled = enable; }
    void SetCheck(int id, bool checked) override;
    bool IsChecked(int id) const override { return m_state.Control(id).checked; }
    void SetBarRange(int id, int upper, int step) override;
    void SetBarPosition(int id, int position) override;
    void StepBar(int id) override;
    void PlayAnimation(int /*id*/, bool /*play*/) override {}
    void SetWindowIcon(int /*iconId*/) override {}
    void SetItemIcon(int /*id*/, int /*iconId*/) override {}
    void AddSystemMenuEntry(int command, const std::wstring& text) override;
    void ShowWindow(bool show) override;
    void SetWaitCursor(bool wait) override { m_state.waitCursor = wait; }
    void Close(int result) override;

    VrDialog& Dialog() { return m_dialog; }
    const VrConsoleDialog& State() const { return m_state; }
    bool IsModal() const { return m_modal; }
    bool IsClosed() const { return m_state.closed; }
    // The front end's part of closing.
    std::function<void()> onClose;

private:
    void Changed(int id);

    VrConsoleTerminal& m_terminal;
    VrDialog& m_dialog;
    const bool m_modal;
    VrConsoleDialog m_state;
};
