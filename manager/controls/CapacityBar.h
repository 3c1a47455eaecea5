// The gauge of the player's memory: the used picture tiled over the used
// length (from the left, or from the bottom of a gauge taller than wide),
// the free picture over the rest. The window makes it, then gives it its
// rectangle and the skin's two gauge pictures, and the capacity pair of the
// drive shown whenever it changes:
//
//   gauge.Create(dialog, kCapacityGauge);
//   gauge.SetRect(skinRect);
//   gauge.SetPictures(freePicture, usedPicture);
//   gauge.SetCapacity({totalKb, freeKb});  // then invalidate to repaint
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/Static.h"
#include "manager/app/GaugeLayout.h"

class CCapacityBar : public CStatic {
public:
    // A visible child with an empty rectangle.
    bool Create(HWND parent, int id);
    // Moves the gauge there (redrawing); the gauge is vertical when the
    // rectangle is taller than wide.
    void SetRect(const RECT& rect);
    // Borrowed: the skin keeps them.
    void SetPictures(HBITMAP freePicture, HBITMAP usedPicture);
    // Total and free, in KB; see GaugeLayout.
    void SetCapacity(const std::vector<uint64_t>& capacity) { m_layout.SetCapacity(capacity); }
    int GetUsedLength() const { return m_layout.Used(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    // Tiles the picture over the part of the client area.
    void Fill(HDC dc, HBITMAP picture, const RECT& part);

    GaugeLayout m_layout;
    HBITMAP m_free = nullptr;
    HBITMAP m_used = nullptr;
};
