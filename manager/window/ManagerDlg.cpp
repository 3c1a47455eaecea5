#include "manager/window/ManagerDlg.h"

#include <commctrl.h>
#include <dbt.h>

#include "manager/app/ManagerControls.h"
#include "manager/app/ManagerStartup.h"
#include "manager/app/WorkFolder.h"
#include "manager/views/ManagerMessages.h"

namespace {

// The bitmap buttons of the template.
const int kSkinButtonIds[] = {
    kSpeechButton,   kMinimiseButton,    kCloseButton,  kFileMenuButton,  kCopyMenuButton,
    kRefreshMenuButton, kHelpMenuButton, kFormatButton, kDeleteButton,    kRefreshButton,
    kCopyToPcButton, kCopyToPlayerButton, kDrive1Button, kDrive2Button,   kPlayButton,
    kStopButton,
};

}  // namespace

CManagerDlg::CManagerDlg(Host& host, HMODULE skin, const CLocaleDateFormat& dates)
    : m_host(host), m_skin(skin), m_dates(dates), m_layout(host) {
    for (int id : kSkinButtonIds) m_buttons[id] = std::make_unique<CSkinButton>();
}

CManagerDlg::~CManagerDlg() {
    if (m_icon) ::DestroyIcon(m_icon);
}

void CManagerDlg::Create() {
    if (m_languageMode == 0) m_languageMode = LanguageModeFor(m_host.GetSystemDefaultLangID());
    m_layout.Load(m_skin, ChineseSkin(m_languageMode));
    m_drives.clear();
    DetectDrives();
    m_backgroundBrush = ::CreatePatternBrush(m_layout.BrushBackground());
    // "MS Sans Serif" at 8 points, as the dialog font is given.
    HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    m_listFont = ::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

bool CManagerDlg::OnInit() {
    Create();
    HWND window = GetHandle();
    ::SetWindowLongW(window, GWL_STYLE, ::GetWindowLongW(window, GWL_STYLE) | WS_SYSMENU);
    HMENU systemMenu = ::GetSystemMenu(window, FALSE);
    const int items = systemMenu ? ::GetMenuItemCount(systemMenu) : 0;
    if (items > 0) m_lastSystemMenuItem = ::GetMenuItemID(systemMenu, items - 1);

    m_icon = static_cast<HICON>(::LoadImageW(m_skin, MAKEINTRESOURCEW(kSkinIcon), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SetText(m_layout.Definition().Message(kMainWindowCaption));

    TakeControls();
    m_gauge.Create(window, kCapacityGauge);
    if (m_layout.Element(132).Shown()) {
        m_gauge.SetPictures(m_layout.GaugeFree(), m_layout.GaugeUsed());
    } else {
        m_gauge.Show(SW_HIDE);
    }
    m_layout.Apply(window, m_buttons, m_gauge, m_capacityTexts);
    SetUpControls();

    m_tree.SetDriveNames(m_drives);
    m_tree.Fill(ReadWorkFolder(m_host));
    if (!m_drives.empty() && m_drive1) ShowFolder(m_drive1);
    SetDriveButtons();
    RefreshGauge(false);
    RefreshCapacityTexts();
    SetUpMenuRecords();
    SetUpMouseFilters();
    return true;
}

void CManagerDlg::TakeControls() {
    HWND window = GetHandle();
    for (auto& button : m_buttons) button.second->SubclassControl(window, button.first);
    m_positionSlider.SubclassDlgItem(kPositionSlider, window);
    m_volumeSlider.SubclassDlgItem(kVolumeSlider, window);
    m_filterBox.Attach(::GetDlgItem(window, kFilterBox));
    m_tree.Init(::GetDlgItem(window, kFolderTree));
    const CLocaleDateFormat& dates = m_dates;
    auto formatDate = [&dates](const FILETIME& time) { return dates.Format(time); };
    m_pcList.Init(::GetDlgItem(window, kPcList), formatDate);
    m_playerList.Init(::GetDlgItem(window, kPlayerList), formatDate);
}

void CManagerDlg::SetUpControls() {
    FillFilterBox();
    m_filterBox.SetCurSel(0);
    m_positionSlider.Enable(false);
    m_masterVolume = std::make_unique<CMasterVolume>(
        m_host, reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(GetHandle(), GWLP_HINSTANCE)));
    m_volumeSlider.SetRange(m_masterVolume->Minimum(), m_masterVolume->Maximum());
    m_volumeSlider.SetPos(m_masterVolume->Value());
    GetItem(kStopButton).Enable(false);
    for (CShellList* list : {&m_pcList, &m_playerList}) {
        list->CreateColumns(m_layout.Definition().ColumnTitles());
        list->AttachImageLists();
    }
}

// A dialog template cannot hold a combo box's items: the skin lists them.
void CManagerDlg::FillFilterBox() {
    m_filterBox.ResetContent();
    for (const std::wstring& filter : m_layout.Definition().Filters()) m_filterBox.AddString(filter);
}

bool CManagerDlg::OnCommand(WORD code, WORD id, HWND /*control*/) {
    if (OnBrowseCommand(id)) return true;
    if (OnMediaCommand(id)) return true;
    switch (id) {
    case IDOK:
    case IDCANCEL:
        // Enter and Escape do nothing; the window closes by its own buttons.
        return true;
    case kMinimiseButton:
        ::ShowWindow(GetHandle(), SW_MINIMIZE);
        return true;
    case kCloseButton:
        Close(0);
        return true;
    case kExitCommand:
        Close(IDOK);
        return true;
    case kFileMenuButton:
    case kCopyMenuButton:
    case kRefreshMenuButton:
    case kHelpMenuButton:
        ShowPopup(id);
        return true;
    case kRefreshButton:
    case kRefreshCommand:
        RefreshPlayer(false, DeviceEvents::kOther);
        return true;
    case kDrive1Button:
        ShowDrive(0);
        return true;
    case kDrive2Button:
        ShowDrive(1);
        return true;
    case kFilterBox:
        if (code != CBN_SELCHANGE) return false;
        m_filter = m_filterBox.GetLBText(m_filterBox.GetCurSel());
        FillPcList();
        if (!m_navigation.empty()) FillPlayerList();
        return true;
    default:
        return false;
    }
}

bool CManagerDlg::OnSysCommand(WPARAM command) {
    if (m_lastSystemMenuItem == 0 || (command & 0xFFF0) != (m_lastSystemMenuItem & 0xFFF0)) return false;
    Close(IDOK);
    return true;
}

bool CManagerDlg::OnNotify(const NMHDR& header) {
    LRESULT result = 0;
    bool handled = m_pcList.OnNotify(header, result) || m_playerList.OnNotify(header, result) ||
                   m_tree.OnNotify(header, result);
    if (OnListNotify(header)) handled = true;
    if (header.idFrom == kFolderTree && header.code == TVN_SELCHANGEDW) {
        FillPcList();
        handled = true;
    }
    if (handled) ::SetWindowLongPtrW(GetHandle(), DWLP_MSGRESULT, result);
    return handled;
}

bool CManagerDlg::OnPaint() {
    if (!IsIconic()) return false;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(GetHandle(), &paint);
    RECT client;
    ::GetClientRect(GetHandle(), &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_icon);
    ::EndPaint(GetHandle(), &paint);
    return true;
}

bool CManagerDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (OnMediaMessage(message, wParam, lParam, result)) return true;
    switch (message) {
    case WM_ERASEBKGND:
        result = Erase(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORDLG: {
        HBRUSH brush = ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
        result = reinterpret_cast<INT_PTR>(brush);
        return brush != nullptr;
    }
    case WM_LBUTTONDOWN: {
        // Any free spot of the window drags it, as a title bar would.
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ClientToScreen(GetHandle(), &point);
        ::PostMessageW(GetHandle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
        result = 0;
        return true;
    }
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<INT_PTR>(m_icon);
        return true;
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_MENU) return false;
        m_menu.MeasureItem(item, GetHandle());
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_MENU) return false;
        m_menu.DrawItem(item);
        result = TRUE;
        return true;
    }
    case WM_DEVICECHANGE:
        RefreshPlayer(true, wParam == DBT_DEVICEARRIVAL          ? DeviceEvents::kArrival
                            : wParam == DBT_DEVICEREMOVECOMPLETE ? DeviceEvents::kRemoveComplete
                                                                 : DeviceEvents::kOther);
        // The notification goes on to the default handling.
        return false;
    case UM_PLAYER_DRIVE1:
    case UM_PLAYER_DRIVE2: {
        // The tree's own shared record, so that it outlives the tree's node.
        const int index = message == UM_PLAYER_DRIVE1 ? 0 : 1;
        ShellItemPtr record = m_tree.PlayerDrive(index);
        if (record.get() != reinterpret_cast<ShellItemRef*>(wParam)) record.reset();
        (index == 0 ? m_drive1 : m_drive2) = record;
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

bool CManagerDlg::Erase(HDC dc) {
    HDC pictureDc = ::CreateCompatibleDC(dc);
    HGDIOBJ was = ::SelectObject(pictureDc, m_layout.Background());
    ::BitBlt(dc, 0, 0, m_layout.Width(), m_layout.Height(), pictureDc, 0, 0, SRCCOPY);
    ::SelectObject(pictureDc, was);
    ::DeleteDC(pictureDc);
    return true;
}

HBRUSH CManagerDlg::ControlColour(HDC dc, HWND control, UINT message) {
    ::SetBkMode(dc, TRANSPARENT);
    if (message != WM_CTLCOLORSTATIC) return nullptr;
    // The pattern starts at the window's corner, not the control's, so the
    // text's background continues the window's.
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&rect), 2);
    ::SetBrushOrgEx(dc, -rect.left, -rect.top, nullptr);
    return m_backgroundBrush;
}

void CManagerDlg::OnDestroy() {
    m_preview.Stop();
    if (m_backgroundBrush) ::DeleteObject(m_backgroundBrush);
    if (m_listFont) ::DeleteObject(m_listFont);
    m_backgroundBrush = nullptr;
    m_listFont = nullptr;
    m_drives.clear();
    // A tree with nothing selected stores nothing: the last folder stays.
    const std::wstring workFolder = m_tree.WorkFolderPath();
    if (!workFolder.empty()) StoreWorkFolder(m_host, workFolder);
    m_menu.Destroy();
    m_navigation.clear();
}
