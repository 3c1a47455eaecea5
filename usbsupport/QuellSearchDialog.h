// The searching dialog of IsUsbConnect: a bar that moves on at each tick of
// timer 1 while Quell looks for the device, the found text shown for half a
// second (timer 2), and a button that ends the search at once. Enter does
// nothing; Escape ends the dialog only once the search is over.
#pragma once

#include "framework/Dialog.h"
#include "usbsupport/QuellApp.h"
#include "usbsupport/QuellSearchProgress.h"
#include "usbsupport/QuellTexts.h"

class CQuellSearchDlg : public CModalDialog {
public:
    explicit CQuellSearchDlg(CQuellApp& app);

    // True once the device was found, however the dialog ended.
    bool Found() const { return m_progress.Found(); }

protected:
    bool OnInit() override;
    bool OnTimer(UINT_PTR timer) override;
    bool OnCommand(WORD code, WORD id, HWND control) override;

private:
    CQuellApp& m_app;
    const QuellTexts& m_texts;
    QuellSearchProgress m_progress;
};
