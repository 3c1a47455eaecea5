// A slider (trackbar) control: its range, position and the rectangles of
// its thumb and channel.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/SubclassedWindow.h"

class CSliderCtrl : public CSubclassedWnd {
public:
    void SetRange(int minimum, int maximum, bool redraw = false) {
        Send(TBM_SETRANGEMIN, FALSE, minimum);
        Send(TBM_SETRANGEMAX, redraw, maximum);
    }
    void SetRangeMin(int minimum, bool redraw = false) { Send(TBM_SETRANGEMIN, redraw, minimum); }
    void SetRangeMax(int maximum, bool redraw = false) { Send(TBM_SETRANGEMAX, redraw, maximum); }
    int GetRangeMin() const { return static_cast<int>(Send(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(Send(TBM_GETRANGEMAX)); }
    void SetPos(int position, bool redraw = true) { Send(TBM_SETPOS, redraw, position); }
    int GetPos() const { return static_cast<int>(Send(TBM_GETPOS)); }
    RECT GetThumbRect() const {
        RECT rect = {};
        Send(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    RECT GetChannelRect() const {
        RECT rect = {};
        Send(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
};
