#include "updater/console/VrConsoleSurface.h"

#include "updater/console/VrConsoleRender.h"

const VrConsoleControl& VrConsoleDialog::Control(int id) const {
    static const VrConsoleControl untouched;
    auto found = controls.find(id);
    return found == controls.end() ? untouched : found->second;
}

VrConsoleSurface::VrConsoleSurface(VrConsoleTerminal& terminal, VrDialog& dialog, bool modal)
    : m_terminal(terminal), m_dialog(dialog), m_modal(modal) {
    m_state.templateId = dialog.TemplateId();
}

VrConsoleSurface::~VrConsoleSurface() {
    if (!m_state.closed) Close(0);
}

VrWindowHandle VrConsoleSurface::Handle() const {
    // Distinct per dialog, never dereferenced.
    return reinterpret_cast<VrWindowHandle>(const_cast<VrConsoleSurface*>(this));
}

void VrConsoleSurface::SetTitle(const std::wstring& title) {
    m_state.title = title;
    Changed(kVrConsoleTitle);
}

void VrConsoleSurface::SetItemText(int id, const std::wstring& text) {
    m_state.controls[id].text = text;
    Changed(id);
}

void VrConsoleSurface::ShowItem(int id, bool show) {
    m_state.controls[id].shown = show;
    Changed(id);
}

void VrConsoleSurface::SetCheck(int id, bool checked) {
    VrConsoleControl& box = m_state.controls[id];
    if (box.checked == checked) return;
    box.checked = checked;
    Changed(id);
}

void VrConsoleSurface::SetBarRange(int id, int upper, int step) {
    VrConsoleControl& bar = m_state.controls[id];
    bar.upper = upper;
    bar.step = step;
    bar.position = 0;
    Changed(id);
}

void VrConsoleSurface::SetBarPosition(int id, int position) {
    m_state.controls[id].position = position;
    Changed(id);
}

void VrConsoleSurface::StepBar(int id) {
    VrConsoleControl& bar = m_state.controls[id];
    bar.position += bar.step;
    // A bar that steps past its end starts again, as the common control does.
    if (bar.position > bar.upper) bar.position = 0;
    Changed(id);
}

void VrConsoleSurface::AddSystemMenuEntry(int command, const std::wstring& text) {
    m_state.systemMenu.emplace_back(command, text);
}

void VrConsoleSurface::ShowWindow(bool show) {
    if (show == m_state.visible) return;
    m_state.visible = show;
    if (show)
        VrPrintDialog(m_state, m_terminal);
    else
        m_terminal.EndProgress();
}

void VrConsoleSurface::Close(int result) {
    if (m_state.closed) return;
    m_state.closed = true;
    m_state.result = result;
    ShowWindow(false);
    if (onClose) onClose();
}

void VrConsoleSurface::Changed(int id) {
    if (m_state.visible) VrShowChange(m_state, id, m_terminal);
}
