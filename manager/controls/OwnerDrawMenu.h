// The popup menu of Tavlo's buttons: items drawn by the menu itself in its
// own colours and font, each with an item record (text and icons) the
// window keeps. Before every popup the window makes it afresh:
//
//   menu.CreatePopup();
//   menu.SetIconArea(20, 20);
//   menu.SetBackgroundColour(0xFFFFFF);
//   menu.SetHighlightColour(0xFF0000);
//   menu.AppendItem(2027, &records[3], deleteAllowed);
//   menu.TrackAt(point, window);
//
// and hands it WM_MEASUREITEM and WM_DRAWITEM of menus (ODT_MENU).
#pragma once

#include <windows.h>

#include "framework/Menu.h"
#include "manager/app/MenuItems.h"

class COwnerDrawMenu : public CMenu {
public:
    COwnerDrawMenu();
    ~COwnerDrawMenu() override { Destroy(); }

    // An empty popup menu with the system's menu font and colours.
    bool CreatePopup();
    // The menu, its brushes, pen and font.
    void Destroy();
    // Where item icons come from (the skin library).
    void SetResourceModule(HMODULE module) { m_resources = module; }
    void SetIconArea(int width, int height) {
        m_iconWidth = width;
        m_iconHeight = height;
    }
    // 0 paints a selected item with the highlight, 1 with the background.
    void SetStyle(int style) { m_style = style; }
    void SetBackgroundColour(COLORREF colour);
    void SetHighlightColour(COLORREF colour);

    // The record stays the caller's for as long as the menu shows.
    bool AppendItem(UINT id, const MenuItemRecord* record, bool enabled);
    // `window` lends its device context to measure the menu font.
    void MeasureItem(MEASUREITEMSTRUCT& item, HWND window) const;
    void DrawItem(const DRAWITEMSTRUCT& item);
    // Shows the menu with its top-left corner at the screen point.
    void TrackAt(POINT screen, HWND owner) { Track(TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, owner); }

private:
    void DeleteTools();

    COLORREF m_normalText;
    COLORREF m_background;
    COLORREF m_highlight;
    COLORREF m_highlightText;
    HBRUSH m_backgroundBrush = nullptr;
    HPEN m_backgroundPen = nullptr;
    HBRUSH m_highlightBrush = nullptr;
    HFONT m_font = nullptr;
    LOGFONTW m_fontDescription = {};
    int m_menuHeight = 0;
    int m_iconWidth;
    int m_iconHeight;
    int m_style = 0;
    HMODULE m_resources = nullptr;
};
