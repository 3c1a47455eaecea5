// The updater's message boxes on Windows: the platform's own box for a bare
// message, and CVrMessageBox, which sizes itself to its text and keeps the
// details in a pane that the user opens below the message.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "platform/Host.h"
#include "updater/app/VrMessageLayout.h"
#include "updater/app/VrMessageTexts.h"

class CVrMessageBox : public CModalDialog {
public:
    CVrMessageBox(const VrMessageTexts& texts, int kind, const std::wstring& message, const std::wstring& details);

    // Runs the box over `parent`: OK 1, Yes 6 or No 7; -1 when the window
    // could not be made.
    int DoModal(HWND parent);

protected:
    bool OnInit() override;
    bool OnCommand(WORD code, WORD id, HWND control) override;

private:
    // The place of OK, Yes or No.
    const VrButtonPlace& ButtonPlace(int id) const;
    void PlaceButton(int id, const VrButtonPlace& place);
    void PlaceItem(int id, const VrRect& rect);
    void SizeClientArea(const VrSize& size);
    void CentreOver(HWND parent);
    void ShowDetails(bool open);
    void End(int result);

    VrMessageTexts m_texts;
    int m_kind;
    std::wstring m_message;
    std::wstring m_details;
    int m_result = IDOK;
    VrMessageBoxLayout m_layout;
};

// Shows `message` as a box of `kind` (a VrMessageKind) over `parent` and
// returns the button that closed it: the platform's box when `details` is
// empty, CVrMessageBox otherwise. Captions and buttons speak the user's
// language from the program's own strings, read through `host`.
int VrShowMessage(Host& host, int kind, const std::wstring& message, const std::wstring& details, HWND parent);
int VrShowPlainMessage(Host& host, int kind, const std::wstring& message, HWND parent);
