// Tavlo's bitmap button: a push button, check box or radio button of the
// main window's dialog, drawn from a skin strip of five frames (normal,
// hover, down, disabled, mask) and cut to the mask's outline. The window
// gives each button its strip and rectangle from the skin:
//
//   button.SubclassControl(dialog, kPlayButton);
//   ::MoveWindow(button, left, top, width, height, FALSE);
//   button.SetPictures(strip, CSkinButton::kNaturalSize, false, 0);
//
// The dialog reflects WM_DRAWITEM to the button (the framework's dialogs do).
#pragma once

#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/MouseFilter.h"

class CSkinButton : public CButton {
public:
    enum Kind { kPushButton = 0, kCheckBox = 2, kRadioButton = 4 };
    enum DrawMode { kNaturalSize = 0, kStretched = 1, kTiled = 2 };
    // Posted to the other buttons of a radio button's group when it is checked.
    static const UINT kUncheckMessage = 0x500;

    // Takes the dialog's control over: its kind from its style, drawn by the
    // button from now on.
    bool SubclassControl(HWND dialog, int id);
    // Cuts the strip (borrowed) into its five frames, the button's own from
    // now on; the outline follows the mask frame. A mode above 2 draws tiled,
    // a negative one at natural size, which also sizes the button to a frame.
    // A negative focus margin is 0.
    bool SetPictures(HBITMAP strip, int drawMode, bool border, int focusMargin);
    // The look while the button has the focus (taken over), instead of the
    // normal one.
    void SetFocusPicture(HBITMAP picture) { m_focus.Attach(picture); }
    void SetTextColour(COLORREF colour);
    // A tooltip control that gets the button's mouse messages.
    void SetTooltip(HWND tooltip) { m_tooltip = tooltip; }
    // Sees the button's mouse messages first (the window's hand cursor).
    void SetMouseFilter(MouseFilter filter) { m_mouseFilter = std::move(filter); }

    Kind GetKind() const { return m_kind; }
    bool IsChecked() const { return m_checked; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, LPARAM lParam, LRESULT& result) override;

private:
    void Draw(const DRAWITEMSTRUCT& item);
    void DrawPicture(HDC dc, const RECT& rect, HBITMAP picture);
    void DrawCaption(HDC dc, RECT rect, COLORREF colour);
    void SetOutline();
    void SetChecked(bool checked);
    void UncheckGroup();
    bool CursorOver() const;
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);
    void Redraw() { ::InvalidateRect(GetHandle(), nullptr, FALSE); }

    Kind m_kind = kPushButton;
    bool m_checked = false;
    bool m_hovering = false;
    bool m_pressed = false;
    int m_drawMode = kNaturalSize;
    bool m_border = false;
    int m_focusMargin = 0;
    COLORREF m_textColour = ::GetSysColor(COLOR_BTNTEXT);
    SIZE m_frame = {0, 0};
    CBitmap m_normal, m_hover, m_down, m_disabled, m_mask, m_focus;
    HWND m_tooltip = nullptr;
    MouseFilter m_mouseFilter;
};
