#include "updater/console/VrConsoleFrontEnd.h"

#include <algorithm>
#include <cwctype>
#include <functional>

#include <poll.h>

#include "platform/TextCodec.h"
#include "updater/app/VrDialogIds.h"
#include "updater/app/VrMessageTexts.h"
#include "updater/console/VrConsoleRender.h"

namespace {

// A button of the download dialog offered as a one-letter command.
struct Command {
    wchar_t key;
    std::wstring label;
    std::function<void()> action;
};

// The letter the user types for a label: its accelerator, else `fallback`.
Command Offer(const std::wstring& text, wchar_t fallback, std::function<void()> action) {
    const wchar_t accelerator = VrConsoleAccelerator(text);
    if (accelerator) return {accelerator, VrConsoleLabel(text, true), std::move(action)};
    return {fallback, L"[" + std::wstring(1, fallback) + L"] " + VrConsoleLabel(text, false), std::move(action)};
}

// What the dialog offers now: its enabled buttons and its system-menu entries.
std::vector<Command> Commands(VrConsoleSurface& surface) {
    const VrConsoleDialog& state = surface.State();
    VrConsoleSurface* window = &surface;
    VrDialog* dialog = &surface.Dialog();
    std::vector<Command> commands;
    auto button = [&](int id, wchar_t fallback, std::function<void()> action) {
        const VrConsoleControl& control = state.Control(id);
        if (control.shown && control.enabled) commands.push_back(Offer(control.text, fallback, std::move(action)));
    };
    button(kVrDownloadStart, L's', [dialog] { dialog->OnCommand(kVrDownloadStart); });
    // A click on a check box turns it over before the dialog hears of it.
    button(kVrDownloadFormatBox, L'f', [window, dialog] {
        window->SetCheck(kVrDownloadFormatBox, !window->IsChecked(kVrDownloadFormatBox));
        dialog->OnCommand(kVrDownloadFormatBox);
    });
    button(kVrDownloadShowDetails, L'd', [dialog] { dialog->OnCommand(kVrDownloadShowDetails); });
    for (const auto& [command, text] : state.systemMenu) {
        const int id = command;
        commands.push_back(Offer(text, L'a', [dialog, id] { dialog->OnSysCommand(id); }));
    }
    button(kVrDownloadClose, L'c', [dialog] { dialog->OnCommand(kVrDownloadClose); });
    return commands;
}

wchar_t FirstLetter(const std::string& line) {
    for (wchar_t c : WideFromUtf8(line))
        if (!std::iswspace(static_cast<wint_t>(c))) return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return 0;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace

VrConsoleFrontEnd::VrConsoleFrontEnd(Host& host, VrConsoleTerminal& terminal) : m_host(host), m_terminal(terminal) {}

void VrConsoleFrontEnd::Initialise() { VrConsoleTerminal::CatchInterrupts(); }

int VrConsoleFrontEnd::ShowMessage(int kind, const std::wstring& message, const std::wstring& details,
                                   VrWindowHandle /*parent*/) {
    const VrMessageTexts texts = VrLoadMessageTexts(m_host, kind);
    const bool error = kind == kVrMessageError || kind == kVrMessageWarning;
    m_terminal.Print(texts.caption.empty() ? message : L"[" + texts.caption + L"] " + message, error);
    if (!details.empty())
        for (const std::wstring& line : Lines(details)) m_terminal.Print(L"    " + line, error);
    return kind == kVrMessageOption ? AskYesNo(texts) : kVrButtonOk;
}

int VrConsoleFrontEnd::AskYesNo(const VrMessageTexts& texts) {
    const std::wstring yes = texts.yes.empty() ? L"&Yes" : texts.yes;
    const std::wstring no = texts.no.empty() ? L"&No" : texts.no;
    const std::wstring prompt = VrConsoleLabel(yes, true) + L"/" + VrConsoleLabel(no, true) + L"? ";
    if (!m_terminal.InputIsTerminal()) {
        m_terminal.Print(prompt + VrConsoleLabel(no, false) + L" (no terminal to answer on)");
        return kVrButtonNo;
    }
    const wchar_t yesKey = VrConsoleAccelerator(yes) ? VrConsoleAccelerator(yes) : L'y';
    const wchar_t noKey = VrConsoleAccelerator(no) ? VrConsoleAccelerator(no) : L'n';
    for (;;) {
        m_terminal.Prompt(prompt);
        std::string line;
        const VrConsoleTerminal::Input input = m_terminal.ReadLine(line);
        if (input != VrConsoleTerminal::Input::kLine) {
            // Ctrl-C or the end of the input: the question is not answered.
            VrConsoleTerminal::TakeInterrupt();
            m_terminal.Print(VrConsoleLabel(no, false));
            return kVrButtonNo;
        }
        const wchar_t answer = FirstLetter(line);
        if (answer == yesKey || answer == L'y') return kVrButtonYes;
        if (answer == noKey || answer == L'n') return kVrButtonNo;
    }
}

bool VrConsoleFrontEnd::PumpMessages() {
    if (VrConsoleTerminal::TakeInterrupt()) DeliverInterrupt();
    if (!m_quit && !m_open.empty() && WaitsForUser(*m_open.back())) AskForCommand(*m_open.back());
    return !m_quit;
}

void VrConsoleFrontEnd::WaitForMessages(DWORD milliseconds) {
    // The terminal's only input between prompts is Ctrl-C, and its signal
    // ends the sleep early.
    ::poll(nullptr, 0, static_cast<int>(milliseconds));
}

void VrConsoleFrontEnd::DeliverInterrupt() {
    if (m_open.empty()) return;
    VrConsoleSurface& top = *m_open.back();
    const VrConsoleDialog& state = top.State();
    const bool downloading = state.templateId == kVrDownloadTemplate &&
                             (state.waitCursor || !state.Control(kVrDownloadClose).enabled);
    top.Dialog().OnCommand(kVrIdCancel);
    if (downloading && !top.IsClosed())
        m_terminal.Print(L"Ctrl-C: a download that has begun runs to its end; stopping it would leave the player "
                         L"half-written.",
                         true);
}

bool VrConsoleFrontEnd::WaitsForUser(const VrConsoleSurface& surface) const {
    const VrConsoleDialog& state = surface.State();
    return !m_commandRunning && !surface.IsModal() && state.templateId == kVrDownloadTemplate && state.visible &&
           !state.closed && !state.waitCursor && state.Control(kVrDownloadClose).enabled;
}

void VrConsoleFrontEnd::AskForCommand(VrConsoleSurface& surface) {
    const std::vector<Command> commands = Commands(surface);
    std::wstring prompt;
    for (const Command& command : commands) prompt += command.label + L"  ";
    m_terminal.Prompt(prompt + L"> ");
    std::string line;
    switch (m_terminal.ReadLine(line)) {
    case VrConsoleTerminal::Input::kLine: {
        // Typed input echoes itself; input from a file or pipe is written
        // out so that the transcript shows what was chosen.
        if (!m_terminal.InputIsTerminal()) m_terminal.Print(WideFromUtf8(line));
        const wchar_t key = FirstLetter(line);
        auto chosen = std::find_if(commands.begin(), commands.end(), [key](const Command& c) { return c.key == key; });
        if (chosen == commands.end()) return;
        m_commandRunning = true;
        chosen->action();
        m_commandRunning = false;
        return;
    }
    case VrConsoleTerminal::Input::kInterrupted:
        m_terminal.Print(L"");
        VrConsoleTerminal::TakeInterrupt();
        DeliverInterrupt();
        return;
    case VrConsoleTerminal::Input::kEnd:
        m_terminal.Print(L"");
        CloseAtEndOfInput(surface);
        return;
    }
}

void VrConsoleFrontEnd::CloseAtEndOfInput(VrConsoleSurface& surface) {
    // Nobody is left to press a button: Close, as the user would, and if the
    // dialog will not go, end it.
    surface.Dialog().OnCommand(kVrDownloadClose);
    if (!surface.IsClosed()) surface.Dialog().OnCommand(kVrIdCancel);
    if (!surface.IsClosed()) surface.Close(kVrIdCancel);
}

int VrConsoleFrontEnd::RunModal(VrDialog& dialog, VrWindowHandle /*parent*/) {
    VrConsoleSurface surface(m_terminal, dialog, true);
    m_open.push_back(&surface);
    dialog.OnInit(surface);
    if (!surface.IsClosed()) surface.ShowWindow(true);
    if (dialog.TemplateId() == kVrDownloadTemplate) {
        while (!surface.IsClosed()) AskForCommand(surface);
    } else if (!surface.IsClosed()) {
        // A box that only shows something has been read once it is printed.
        dialog.OnCommand(kVrIdOk);
    }
    if (!surface.IsClosed()) surface.Close(kVrIdCancel);
    Forget(&surface);
    dialog.OnDestroy();
    return surface.State().result;
}

std::unique_ptr<VrDialogSurface> VrConsoleFrontEnd::CreateModeless(VrDialog& dialog) {
    auto surface = std::make_unique<VrConsoleSurface>(m_terminal, dialog, false);
    VrConsoleSurface* window = surface.get();
    VrDialog* logic = &dialog;
    window->onClose = [this, window, logic] {
        Forget(window);
        logic->OnDestroy();
    };
    m_open.push_back(window);
    dialog.OnInit(*window);
    return surface;
}

void VrConsoleFrontEnd::Forget(VrConsoleSurface* surface) {
    m_open.erase(std::remove(m_open.begin(), m_open.end(), surface), m_open.end());
}
