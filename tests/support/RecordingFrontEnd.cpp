#include "tests/support/RecordingFrontEnd.h"

#include "updater/app/VrDialogIds.h"

RecordingSurface::~RecordingSurface() {
    // A modeless dialog whose window is destroyed by its owner goes too.
    if (!m_record->closed) Close(0);
}

VrWindowHandle RecordingSurface::Handle() const {
    // Distinct per dialog, never dereferenced.
    return reinterpret_cast<VrWindowHandle>(m_record.get());
}

void RecordingSurface::SetItemText(int id, const std::wstring& text) {
    m_record->controls[id].text = text;
    m_record->textHistory[id].push_back(text);
}

void RecordingSurface::SetBarRange(int id, int upper, int step) {
    RecordedDialog::Control& bar = m_record->controls[id];
    bar.barUpper = upper;
    bar.barStep = step;
    bar.barPosition = 0;
}

void RecordingSurface::StepBar(int id) {
    RecordedDialog::Control& bar = m_record->controls[id];
    bar.barPosition += bar.barStep;
    // A bar's position wraps to its start when a step passes the end.
    if (bar.barPosition > bar.barUpper) bar.barPosition = 0;
}

void RecordingSurface::AddSystemMenuEntry(int /*command*/, const std::wstring& text) {
    m_record->systemMenu.push_back(text);
}

void RecordingSurface::Close(int result) {
    if (m_record->closed) return;
    m_record->closed = true;
    m_record->logic = nullptr;
    m_record->visible = false;
    m_record->result = result;
    if (onClose) onClose();
}

std::vector<std::shared_ptr<RecordedDialog>> RecordingFrontEnd::DialogsOf(int templateId) const {
    std::vector<std::shared_ptr<RecordedDialog>> found;
    for (const auto& dialog : dialogs) {
        if (dialog->templateId == templateId) found.push_back(dialog);
    }
    return found;
}

bool RecordingFrontEnd::Press(int templateId, int command) {
    for (auto dialog = dialogs.rbegin(); dialog != dialogs.rend(); ++dialog) {
        if ((*dialog)->templateId != templateId || !(*dialog)->logic) continue;
        (*dialog)->logic->OnCommand(command);
        return true;
    }
    return false;
}

int RecordingFrontEnd::ShowMessage(int kind, const std::wstring& message, const std::wstring& details,
                                   VrWindowHandle /*parent*/) {
    messages.push_back({kind, message, details});
    if (kind != kVrMessageOption) return kVrButtonOk;
    if (answers.empty()) return kVrButtonNo;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool RecordingFrontEnd::IsAdministrator() {
    ++administratorQuestions;
    return administrator;
}

bool RecordingFrontEnd::BringForward(const std::vector<std::wstring>& titles) {
    for (const std::wstring& title : titles) {
        if (otherWindows.count(title)) {
            broughtForward.push_back(title);
            return true;
        }
    }
    return false;
}

bool RecordingFrontEnd::PumpMessages() {
    ++pumps;
    if (onPump) onPump(pumps);
    if (pumps >= pumpLimit) m_quit = true;
    return !m_quit;
}

std::shared_ptr<RecordedDialog> RecordingFrontEnd::NewRecord(VrDialog& dialog, bool modal) {
    auto record = std::make_shared<RecordedDialog>();
    record->templateId = dialog.TemplateId();
    record->logic = &dialog;
    record->modal = modal;
    dialogs.push_back(record);
    return record;
}

int RecordingFrontEnd::RunModal(VrDialog& dialog, VrWindowHandle /*parent*/) {
    auto record = NewRecord(dialog, true);
    RecordingSurface surface(record);
    record->visible = true;
    // Ended here, not by the surface: OnDestroy runs once, below.
    dialog.OnInit(surface);
    auto script = modalScripts.find(record->templateId);
    if (script != modalScripts.end() && !surface.IsClosed()) script->second(dialog, surface);
    if (!surface.IsClosed()) dialog.OnCommand(kVrIdCancel);
    if (!surface.IsClosed()) surface.Close(kVrIdCancel);
    dialog.OnDestroy();
    return record->result;
}

std::unique_ptr<VrDialogSurface> RecordingFrontEnd::CreateModeless(VrDialog& dialog) {
    auto record = NewRecord(dialog, false);
    auto surface = std::make_unique<RecordingSurface>(record);
    surface->onClose = [&dialog] { dialog.OnDestroy(); };
    dialog.OnInit(*surface);
    return surface;
}
