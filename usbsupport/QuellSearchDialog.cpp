#include "usbsupport/QuellSearchDialog.h"

#include <commctrl.h>

#include "usbsupport/QuellHubSearch.h"
#include "usbsupport/QuellResource.h"
#include "usbsupport/QuellSystem.h"

namespace {

const UINT_PTR kSearchTimer = 1;
const UINT_PTR kFoundTimer = 2;
const UINT kFoundShownFor = 500;

}  // namespace

CQuellSearchDlg::CQuellSearchDlg(CQuellApp& app)
    : m_app(app),
      m_texts(TextsFor(SystemLanguageCode(app.host()))),
      m_progress(app.Settings().progressMaximum, app.Settings().vendor != 0 && app.Settings().product != 0) {}

bool CQuellSearchDlg::OnInit() {
    SetItemText(IDC_QUELL_SEARCH_TEXT, m_texts.searching);
    SetItemText(IDC_QUELL_SEARCH_CANCEL, m_texts.cancel);
    SendItem(IDC_QUELL_SEARCH_PROGRESS, PBM_SETRANGE32, 0, m_progress.Maximum());
    SendItem(IDC_QUELL_SEARCH_PROGRESS, PBM_SETPOS, 0);
    ::SetTimer(GetHandle(), kSearchTimer, static_cast<UINT>(m_app.Settings().checkInterval), nullptr);
    return true;
}

bool CQuellSearchDlg::OnTimer(UINT_PTR timer) {
    if (timer == kFoundTimer) {
        ::KillTimer(GetHandle(), kFoundTimer);
        Close(m_progress.Found());
        return true;
    }
    if (timer != kSearchTimer) return false;
    const QuellSettings& settings = m_app.Settings();
    const QuellSearchProgress::Step step = m_progress.Tick([&] {
        return FindUsbDeviceHub(m_app.host(), static_cast<unsigned>(settings.vendor),
                                static_cast<unsigned>(settings.product)) != 0;
    });
    SendItem(IDC_QUELL_SEARCH_PROGRESS, PBM_SETPOS, m_progress.Position());
    switch (step) {
    case QuellSearchProgress::Step::kAdvanced:
        break;
    case QuellSearchProgress::Step::kShowFound:
        ::KillTimer(GetHandle(), kSearchTimer);
        SetItemText(IDC_QUELL_SEARCH_TEXT, m_texts.found);
        ::SetTimer(GetHandle(), kFoundTimer, kFoundShownFor, nullptr);
        break;
    case QuellSearchProgress::Step::kClose:
        ::KillTimer(GetHandle(), kSearchTimer);
        Close(0);
        break;
    }
    return true;
}

bool CQuellSearchDlg::OnCommand(WORD, WORD id, HWND) {
    switch (id) {
    case IDC_QUELL_SEARCH_CANCEL:
        ::KillTimer(GetHandle(), kSearchTimer);
        Close(m_progress.Found());
        return true;
    case IDCANCEL:  // Escape
        if (m_progress.EscapeCloses()) {
            ::KillTimer(GetHandle(), kSearchTimer);
            ::KillTimer(GetHandle(), kFoundTimer);
            Close(m_progress.Found());
        }
        return true;
    case IDOK:  // Enter
        return true;
    default:
        return false;
    }
}
