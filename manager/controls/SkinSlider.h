// A slider drawn over the skin: its channel shows the window's background
// under the control with a sunken edge, its thumb is a filled ellipse.
// The window subclasses the dialog's sliders (position 1004, volume 1005)
// and moves them to their skin rectangles; the dialog reflects the custom
// draw notification to the slider.
#pragma once

#include <windows.h>

#include "framework/Bitmap.h"
#include "framework/DeviceContext.h"
#include "framework/SliderCtrl.h"

class CSkinSlider : public CSliderCtrl {
public:
    // 0: the system colour (button face; button highlight while pressed).
    void SetThumbColours(COLORREF thumb, COLORREF pressed) {
        m_thumb = thumb;
        m_pressedThumb = pressed;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
    void DrawThumb(const NMCUSTOMDRAW& draw);
    void DrawChannel(const NMCUSTOMDRAW& draw);
    // What lies under the control in the parent, taken on the first channel drawing.
    bool TakeBackground(HDC reference);
    void ReleaseBackground();

    COLORREF m_thumb = 0;
    COLORREF m_pressedThumb = 0;
    CDC m_background;
    CBitmap m_backgroundBits;
    HGDIOBJ m_backgroundWas = nullptr;
};
