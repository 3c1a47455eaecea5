// A front end for the updater's start-up and dialogs that shows nothing: it
// records every box and every dialog with the state of its controls, answers
// questions from a list, and lets a test act when a dialog runs modally or
// when messages are pumped.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "updater/app/VrFrontEnd.h"

// What a dialog showed, kept after its window is gone.
struct RecordedDialog {
    struct Control {
        std::wstring text;
        bool shown = true;
        bool enabled = true;
        bool checked = false;
        int barUpper = 0;
        int barStep = 0;
        int barPosition = 0;
        bool playing = false;
        int icon = 0;
    };

    int templateId = 0;
    // The dialog's logic while its window is up; null once it has closed.
    VrDialog* logic = nullptr;
    bool modal = false;
    std::wstring title;
    bool visible = false;
    bool waitCursor = false;
    int windowIcon = 0;
    std::vector<std::wstring> systemMenu;
    std::map<int, Control> controls;
    bool closed = false;
    int result = 0;
    // The texts a control has shown, in order (stage texts, status texts).
    std::map<int, std::vector<std::wstring>> textHistory;
};

class RecordingSurface : public VrDialogSurface {
public:
    explicit RecordingSurface(std::shared_ptr<RecordedDialog> record) : m_record(std::move(record)) {}
    ~RecordingSurface() override;

    VrWindowHandle Handle() const override;
    void SetTitle(const std::wstring& title) override { m_record->title = title; }
    void SetItemText(int id, const std::wstring& text) override;
    void ShowItem(int id, bool show) override { m_record->controls[id].shown = show; }
    void EnableItem(int id, bool enable) override { m_record->controls[id].enabled = enable; }
    void SetCheck(int id, bool checked) override { m_record->controls[id].checked = checked; }
    bool IsChecked(int id) const override { return m_record->controls[id].checked; }
    void SetBarRange(int id, int upper, int step) override;
    void SetBarPosition(int id, int position) override { m_record->controls[id].barPosition = position; }
    void StepBar(int id) override;
    void PlayAnimation(int id, bool play) override { m_record->controls[id].playing = play; }
    void SetWindowIcon(int iconId) override { m_record->windowIcon = iconId; }
    void SetItemIcon(int id, int iconId) override { m_record->controls[id].icon = iconId; }
    void AddSystemMenuEntry(int command, const std::wstring& text) override;
    void ShowWindow(bool show) override { m_record->visible = show; }
    void SetWaitCursor(bool wait) override { m_record->waitCursor = wait; }
    void Close(int result) override;

    // Set when the dialog has closed itself; the front end then lets it go.
    bool IsClosed() const { return m_record->closed; }
    std::function<void()> onClose;  // the front end's part of closing

private:
    std::shared_ptr<RecordedDialog> m_record;
};

class RecordingFrontEnd : public VrFrontEnd {
public:
    struct Message {
        int kind;
        std::wstring message;
        std::wstring details;
    };

    // --- What the test sets --------------------------------------------------
    bool administrator = true;
    // Titles of top-level windows of another copy.
    std::set<std::wstring> otherWindows;
    // Answers to questions (kind 4), in order; when they run out, No.
    std::deque<int> answers;
    // Runs while a dialog of that template is up modally (after OnInit). A
    // dialog the script leaves open is then closed with Cancel, and one that
    // still stays open is ended by the front end.
    std::map<int, std::function<void(VrDialog&, RecordingSurface&)>> modalScripts;
    // Runs at every pump; the count of pumps so far is passed.
    std::function<void(int pumps)> onPump;
    // The pumps after which the recording gives up waiting for a quit message
    // that will never come (a test fault rather than a hang).
    int pumpLimit = 1000000;

    // --- What the test reads --------------------------------------------------
    std::vector<Message> messages;
    std::vector<std::shared_ptr<RecordedDialog>> dialogs;
    std::vector<std::wstring> broughtForward;
    int initialised = 0;
    int pumps = 0;
    int waits = 0;  // idle waits for input
    int administratorQuestions = 0;
    int quitsPosted = 0;

    // The dialogs of a template, in the order they were created.
    std::vector<std::shared_ptr<RecordedDialog>> DialogsOf(int templateId) const;
    const Message* LastMessage() const { return messages.empty() ? nullptr : &messages.back(); }
    // Clicks `command` in the newest dialog of the template whose window is
    // up, as the user would; false when there is none.
    bool Press(int templateId, int command);

    // --- VrFrontEnd ----------------------------------------------------------
    int ShowMessage(int kind, const std::wstring& message, const std::wstring& details,
                    VrWindowHandle parent) override;
    void Initialise() override { ++initialised; }
    bool IsAdministrator() override;
    bool BringForward(const std::vector<std::wstring>& titles) override;
    bool PumpMessages() override;
    void WaitForMessages(DWORD /*milliseconds*/) override { ++waits; }
    void PostQuit() override {
        ++quitsPosted;
        m_quit = true;
    }
    int RunModal(VrDialog& dialog, VrWindowHandle parent) override;
    std::unique_ptr<VrDialogSurface> CreateModeless(VrDialog& dialog) override;

private:
    std::shared_ptr<RecordedDialog> NewRecord(VrDialog& dialog, bool modal);

    bool m_quit = false;
};
