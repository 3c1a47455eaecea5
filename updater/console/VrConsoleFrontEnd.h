// The updater on a terminal. Dialogs are text: the search and download
// dialogs show what changes in them, the details and about boxes are printed
// and closed at once, and the download dialog, when it waits for the user,
// takes its buttons as one-letter commands from standard input. Messages are
// printed with their caption; a question is asked on the terminal, and
// answered No when there is no terminal to ask on. Ctrl-C is the Cancel of
// the dialog on top: it ends the search, closes an idle download dialog and
// is refused while a download runs.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Host.h"
#include "updater/app/VrFrontEnd.h"
#include "updater/console/VrConsoleSurface.h"
#include "updater/console/VrConsoleTerminal.h"

struct VrMessageTexts;

class VrConsoleFrontEnd : public VrFrontEnd {
public:
    // `host` gives the captions and button texts of the program's own table.
    VrConsoleFrontEnd(Host& host, VrConsoleTerminal& terminal);

    int ShowMessage(int kind, const std::wstring& message, const std::wstring& details,
                    VrWindowHandle parent) override;
    void Initialise() override;
    // The console runs no one else's session: every user may update.
    bool IsAdministrator() override { return true; }
    // A copy on another terminal has no window to bring forward.
    bool BringForward(const std::vector<std::wstring>& /*titles*/) override { return false; }
    bool PumpMessages() override;
    void WaitForMessages(DWORD milliseconds) override;
    void PostQuit() override { m_quit = true; }
    int RunModal(VrDialog& dialog, VrWindowHandle parent) override;
    std::unique_ptr<VrDialogSurface> CreateModeless(VrDialog& dialog) override;

private:
    // Ctrl-C: the Cancel of the dialog on top.
    void DeliverInterrupt();
    // A download dialog that is up, not modal and idle waits for the user's
    // next command, which the pump then asks for.
    bool WaitsForUser(const VrConsoleSurface& surface) const;
    // Reads one command for the download dialog and gives it; at the end of
    // the input the dialog is closed.
    void AskForCommand(VrConsoleSurface& surface);
    void CloseAtEndOfInput(VrConsoleSurface& surface);
    int AskYesNo(const VrMessageTexts& texts);
    void Forget(VrConsoleSurface* surface);

    Host& m_host;
    VrConsoleTerminal& m_terminal;
    std::vector<VrConsoleSurface*> m_open;  // the dialogs that are up, the top one last
    bool m_quit = false;
    bool m_commandRunning = false;
};
