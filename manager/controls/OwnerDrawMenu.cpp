#include "manager/controls/OwnerDrawMenu.h"

#include <cstddef>
#include <cwchar>

namespace {

const COLORREF kGreyedText = 0xC0C0C0;
const LONG kBold = 700;

// A frame of one pixel: light along the top and left, dark along the
// bottom and right.
void Frame(HDC dc, const RECT& rect, COLORREF light, COLORREF dark) {
    HBRUSH lightBrush = ::CreateSolidBrush(light);
    HBRUSH darkBrush = ::CreateSolidBrush(dark);
    const RECT top = {rect.left, rect.top, rect.right, rect.top + 1};
    const RECT left = {rect.left, rect.top, rect.left + 1, rect.bottom};
    const RECT bottom = {rect.left, rect.bottom - 1, rect.right, rect.bottom};
    const RECT right = {rect.right - 1, rect.top, rect.right, rect.bottom};
    ::FillRect(dc, &top, lightBrush);
    ::FillRect(dc, &left, lightBrush);
    ::FillRect(dc, &bottom, darkBrush);
    ::FillRect(dc, &right, darkBrush);
    ::DeleteObject(lightBrush);
    ::DeleteObject(darkBrush);
}

}  // namespace

COwnerDrawMenu::COwnerDrawMenu()
    : m_normalText(::GetSysColor(COLOR_MENUTEXT)),
      m_background(::GetSysColor(COLOR_MENU)),
      m_highlight(::GetSysColor(COLOR_HIGHLIGHT)),
      m_highlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      m_iconWidth(::GetSystemMetrics(SM_CXMENUCHECK)),
      m_iconHeight(::GetSystemMetrics(SM_CYMENUCHECK)) {}

bool COwnerDrawMenu::CreatePopup() {
    Destroy();
    if (!CreatePopupMenu()) return false;
    NONCLIENTMETRICSW metrics = {};
    // The size Windows XP knows: later systems add a field it refuses.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        m_fontDescription = metrics.lfMenuFont;
        m_menuHeight = metrics.iMenuHeight;
    } else {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_fontDescription, &m_fontDescription);
        m_menuHeight = ::GetSystemMetrics(SM_CYMENU);
    }
    m_font = ::CreateFontIndirectW(&m_fontDescription);
    SetBackgroundColour(m_background);
    SetHighlightColour(m_highlight);
    return true;
}

void COwnerDrawMenu::Destroy() {
    DeleteTools();
    DestroyMenu();
}

void COwnerDrawMenu::DeleteTools() {
    HGDIOBJ tools[] = {m_backgroundBrush, m_backgroundPen, m_highlightBrush, m_font};
    for (HGDIOBJ tool : tools) {
        if (tool) ::DeleteObject(tool);
    }
    m_backgroundBrush = m_highlightBrush = nullptr;
    m_backgroundPen = nullptr;
    m_font = nullptr;
}

void COwnerDrawMenu::SetBackgroundColour(COLORREF colour) {
    m_background = colour;
    if (m_backgroundBrush) ::DeleteObject(m_backgroundBrush);
    if (m_backgroundPen) ::DeleteObject(m_backgroundPen);
    m_backgroundBrush = ::CreateSolidBrush(colour);
    m_backgroundPen = ::CreatePen(PS_SOLID, 0, colour);
}

void COwnerDrawMenu::SetHighlightColour(COLORREF colour) {
    m_highlight = colour;
    if (m_highlightBrush) ::DeleteObject(m_highlightBrush);
    m_highlightBrush = ::CreateSolidBrush(colour);
}

bool COwnerDrawMenu::AppendItem(UINT id, const MenuItemRecord* record, bool enabled) {
    return AppendOwnerDrawn(enabled ? MF_ENABLED : MF_GRAYED, id, record);
}

void COwnerDrawMenu::MeasureItem(MEASUREITEMSTRUCT& item, HWND window) const {
    const auto* record = reinterpret_cast<const MenuItemRecord*>(item.itemData);
    if (!record) return;
    HDC dc = ::GetDC(window);
    HGDIOBJ was = ::SelectObject(dc, m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW font = {};
    ::GetTextMetricsW(dc, &font);
    ::SelectObject(dc, was);
    ::ReleaseDC(window, dc);
    const MenuItemSize size = MeasureMenuItem(static_cast<int>(std::wcslen(record->text)), font.tmAveCharWidth,
                                              m_iconWidth, m_iconHeight, m_menuHeight);
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
}

void COwnerDrawMenu::DrawItem(const DRAWITEMSTRUCT& item) {
    const auto* record = reinterpret_cast<const MenuItemRecord*>(item.itemData);
    if (!record) return;
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    LOGFONTW local = m_fontDescription;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    COLORREF textColour;
    if (selected) {
        ::FillRect(dc, &rect, m_style == 0 ? m_highlightBrush : m_backgroundBrush);
        Frame(dc, rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        local.lfWeight = kBold;
        textColour = m_highlightText;
    } else {
        ::FillRect(dc, &rect, m_backgroundBrush);
        Frame(dc, rect, m_background, m_background);
        textColour = m_normalText;
    }
    // An icon that cannot be loaded is not drawn.
    const int iconId = selected && record->selectedIcon != -1 ? record->selectedIcon : record->icon;
    const int iconWidth = DrawnIconLength(m_iconWidth), iconHeight = DrawnIconLength(m_iconHeight);
    if (iconId != -1 && m_resources) {
        HICON icon = static_cast<HICON>(
            ::LoadImageW(m_resources, MAKEINTRESOURCEW(iconId), IMAGE_ICON, iconWidth, iconHeight, 0));
        if (icon) {
            ::DrawIconEx(dc, rect.left, rect.top, icon, iconWidth, iconHeight, 0, nullptr, DI_NORMAL);
            ::DestroyIcon(icon);
        }
    }
    rect.left += iconWidth;
    if (record->text[0] == 0) return;
    HFONT font = ::CreateFontIndirectW(&local);
    HGDIOBJ fontWas = ::SelectObject(dc, font);
    const int modeWas = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF colourWas =
        ::SetTextColor(dc, (item.itemState & (ODS_GRAYED | ODS_DISABLED)) ? kGreyedText : textColour);
    ::DrawTextW(dc, record->text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    ::SetTextColor(dc, colourWas);
    ::SetBkMode(dc, modeWas);
    ::SelectObject(dc, fontWas);
    ::DeleteObject(font);
}
