// The updater's dialogs on Windows: the common controls, the administrator
// test, the other copy brought forward, the message pump, and the dialogs made
// from the program's own templates. It asks the host only for what the message
// box needs (the program's own strings), so a test build can pair it with the
// simulated PC.
#pragma once

#include "platform/Host.h"
#include "updater/app/VrFrontEnd.h"
#include "updater/win32/VrIcons.h"

class VrWin32FrontEnd : public VrFrontEnd {
public:
    explicit VrWin32FrontEnd(Host& host) : m_host(host) {}

    int ShowMessage(int kind, const std::wstring& message, const std::wstring& details,
                    VrWindowHandle parent) override;
    void SetFailureRecord(CVrErrorRecord& record) override;
    void Initialise() override;
    bool IsAdministrator() override;
    bool BringForward(const std::vector<std::wstring>& titles) override;
    bool PumpMessages() override;
    void WaitForMessages(DWORD milliseconds) override;
    void PostQuit() override;
    int RunModal(VrDialog& dialog, VrWindowHandle parent) override;
    std::unique_ptr<VrDialogSurface> CreateModeless(VrDialog& dialog) override;

private:
    Host& m_host;
    CVrIconLoader m_icons;
};
