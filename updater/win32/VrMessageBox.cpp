#include "updater/win32/VrMessageBox.h"

#include <algorithm>

#include "updater/app/VrDialogIds.h"
#include "updater/app/VrMessageKinds.h"

namespace {

// The platform's box flags and the dialog's icon for each kind; an unknown
// kind gets a bare box, and the stop icon in the dialog.
UINT PlainFlags(int kind) {
    switch (kind) {
    case kVrMessageError: return MB_ICONHAND | MB_OK;
    case kVrMessageInformation: return MB_ICONINFORMATION;
    case kVrMessageWarning: return MB_ICONEXCLAMATION;
    case kVrMessageOption: return MB_ICONQUESTION | MB_YESNO;
    default: return 0;
    }
}

LPCWSTR DialogIcon(int kind) {
    switch (kind) {
    case kVrMessageInformation: return IDI_ASTERISK;
    case kVrMessageWarning: return IDI_EXCLAMATION;
    case kVrMessageOption: return IDI_QUESTION;
    default: return IDI_HAND;
    }
}

// Lines measured as the message and details statics draw them: with the
// dialog's font, tabs every eight average characters, one font height a line.
class DialogFontMeasure : public VrTextMeasure {
public:
    explicit DialogFontMeasure(HWND window)
        : m_window(window), m_dc(::GetDC(window)),
          m_oldFont(::SelectObject(m_dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0)))) {
        ::GetTextMetricsW(m_dc, &m_metrics);
    }
    ~DialogFontMeasure() override {
        ::SelectObject(m_dc, m_oldFont);
        ::ReleaseDC(m_window, m_dc);
    }
    DialogFontMeasure(const DialogFontMeasure&) = delete;
    DialogFontMeasure& operator=(const DialogFontMeasure&) = delete;

    VrSize MeasureLine(const std::wstring& line, bool expandTabs) override {
        int length = int(line.size());
        int width = 0;
        if (expandTabs) {
            width = LOWORD(::GetTabbedTextExtentW(m_dc, line.c_str(), length, 0, nullptr));
        } else {
            SIZE size = {0, 0};
            ::GetTextExtentPoint32W(m_dc, line.c_str(), length, &size);
            width = size.cx;
        }
        return {width, int(m_metrics.tmHeight)};
    }

private:
    HWND m_window;
    HDC m_dc;
    HGDIOBJ m_oldFont;
    TEXTMETRICW m_metrics = {};
};

void SetTextUnlessEmpty(CWnd control, const std::wstring& text) {
    if (!text.empty()) control.SetText(text);
}

}  // namespace

CVrMessageBox::CVrMessageBox(const VrMessageTexts& texts, int kind, const std::wstring& message,
                             const std::wstring& details)
    : m_texts(texts), m_kind(kind), m_message(message), m_details(details) {}

int CVrMessageBox::DoModal(HWND parent) {
    if (Run(::GetModuleHandleW(nullptr), kVrMessageBoxTemplate, parent) == -1) return -1;
    return m_result;
}

bool CVrMessageBox::OnInit() {
    // A text the program's table lacks leaves the template's own.
    SetTextUnlessEmpty(GetItem(kVrIdOk), m_texts.ok);
    SetTextUnlessEmpty(GetItem(kVrMessageExpand), m_texts.expand);
    SetTextUnlessEmpty(GetItem(kVrMessageCollapse), m_texts.collapse);
    SetTextUnlessEmpty(GetItem(kVrMessageYes), m_texts.yes);
    SetTextUnlessEmpty(GetItem(kVrMessageNo), m_texts.no);

    SendItem(kVrMessageIcon, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconW(nullptr, DialogIcon(m_kind))));
    // The buttons are 57 by 14 dialog units; the layout works in pixels.
    RECT button = {0, 0, 57, 14};
    ::MapDialogRect(*this, &button);
    VrMessageBoxMetrics metrics;
    metrics.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    metrics.icon = {::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)};
    metrics.button = {int(button.right), int(button.bottom)};
    {
        DialogFontMeasure measure(*this);
        m_layout = VrLayOutMessageBox(m_kind, m_message, m_details, metrics, measure);
    }

    PlaceItem(kVrMessageIcon, m_layout.icon);
    PlaceItem(kVrMessageText, m_layout.message);
    PlaceItem(kVrMessageSeparator, m_layout.separator);
    PlaceItem(kVrMessageDetails, m_layout.details);
    PlaceButton(kVrIdOk, m_layout.ok);
    PlaceButton(kVrMessageYes, m_layout.yes);
    PlaceButton(kVrMessageNo, m_layout.no);
    PlaceButton(kVrMessageExpand, m_layout.expand);
    PlaceButton(kVrMessageCollapse, m_layout.collapse);
    if (m_kind == kVrMessageOption) {
        // As in the platform's Yes/No box: Enter answers Yes, and there is
        // no closing the question without an answer.
        Send(DM_SETDEFID, kVrMessageYes);
        ::EnableMenuItem(::GetSystemMenu(*this, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    }

    SizeClientArea(m_layout.collapsed);
    CentreOver(::GetParent(*this));
    SetText(m_texts.caption);
    SetItemText(kVrMessageText, m_message);
    SetItemText(kVrMessageDetails, m_details);
    return true;
}

bool CVrMessageBox::OnCommand(WORD /*code*/, WORD id, HWND /*control*/) {
    switch (id) {
    case kVrIdOk:
    case kVrMessageYes:
    case kVrMessageNo:
        // Enter arrives as OK even where the box has none.
        if (ButtonPlace(id).enabled) End(id);
        return true;
    case kVrIdCancel:
        // Escape and the close box leave a box with OK as OK would.
        if (m_layout.ok.enabled) End(m_result);
        return true;
    case kVrMessageExpand:
    case kVrMessageCollapse:
        ShowDetails(id == kVrMessageExpand);
        return true;
    default:
        return false;
    }
}

const VrButtonPlace& CVrMessageBox::ButtonPlace(int id) const {
    return id == kVrMessageYes ? m_layout.yes : id == kVrMessageNo ? m_layout.no : m_layout.ok;
}

void CVrMessageBox::PlaceButton(int id, const VrButtonPlace& place) {
    PlaceItem(id, place.rect);
    CWnd button = GetItem(id);
    button.Enable(place.enabled);
    button.Show(place.visible ? SW_SHOW : SW_HIDE);
}

void CVrMessageBox::PlaceItem(int id, const VrRect& rect) {
    ::SetWindowPos(GetItem(id), nullptr, rect.x, rect.y, rect.cx, rect.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVrMessageBox::SizeClientArea(const VrSize& size) {
    RECT frame = {0, 0, size.cx, size.cy};
    ::AdjustWindowRectEx(&frame, DWORD(::GetWindowLongW(*this, GWL_STYLE)), FALSE,
                         DWORD(::GetWindowLongW(*this, GWL_EXSTYLE)));
    ::SetWindowPos(*this, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVrMessageBox::CentreOver(HWND parent) {
    // Centred on the owner, or on the work area when there is none, and kept
    // on the screen: the box was sized after the dialog manager placed it.
    RECT area;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT over = area;
    if (parent && ::IsWindowVisible(parent) && !::IsIconic(parent)) ::GetWindowRect(parent, &over);
    RECT box;
    ::GetWindowRect(*this, &box);
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    int x = over.left + (over.right - over.left - width) / 2;
    int y = over.top + (over.bottom - over.top - height) / 2;
    x = std::max(int(area.left), std::min(x, int(area.right) - width));
    y = std::max(int(area.top), std::min(y, int(area.bottom) - height));
    ::SetWindowPos(*this, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVrMessageBox::ShowDetails(bool open) {
    SizeClientArea(open ? m_layout.expanded : m_layout.collapsed);
    CWnd shown = GetItem(open ? kVrMessageCollapse : kVrMessageExpand);
    shown.Show(SW_SHOW);
    // The button pressed disappears; the focus moves to its twin.
    Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(shown.GetHandle()), TRUE);
    GetItem(open ? kVrMessageExpand : kVrMessageCollapse).Show(SW_HIDE);
}

void CVrMessageBox::End(int result) {
    m_result = result;
    Close(result);
}

int VrShowPlainMessage(Host& host, int kind, const std::wstring& message, HWND parent) {
    std::wstring caption = VrLoadMessageTexts(host, kind).caption;
    return ::MessageBoxW(parent, message.c_str(), caption.c_str(), PlainFlags(kind));
}

int VrShowMessage(Host& host, int kind, const std::wstring& message, const std::wstring& details, HWND parent) {
    if (details.empty()) return VrShowPlainMessage(host, kind, message, parent);
    CVrMessageBox box(VrLoadMessageTexts(host, kind), kind, message, details);
    int result = box.DoModal(parent);
    // A program without the box's template still shows what went wrong.
    if (result == -1) result = VrShowPlainMessage(host, kind, message + L"\n\n" + details, parent);
    return result;
}
