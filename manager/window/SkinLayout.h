// CSkinLayout: the main window's skin as the window uses it. The skin
// library's strings (size, elements, lists) are read by the portable
// SkinDefinition; this adds the pictures, loaded from the library for the
// elements that show, and puts the whole onto the window: its size, its
// outline from "RgnBack.rgn" beside the program, and the place, picture
// and visibility of every control.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Static.h"
#include "manager/app/SkinDefinition.h"
#include "manager/controls/CapacityBar.h"
#include "manager/controls/SkinButton.h"
#include "platform/Host.h"

// The window's bitmap buttons by control id, and the capacity texts it
// makes where the skin shows them.
using SkinButtons = std::map<int, std::unique_ptr<CSkinButton>>;
using CapacityTextControls = std::map<int, std::unique_ptr<CStatic>>;

class CSkinLayout {
public:
    explicit CSkinLayout(Host& host) : m_host(host) {}
    CSkinLayout(const CSkinLayout&) = delete;
    CSkinLayout& operator=(const CSkinLayout&) = delete;

    // Reads the strings, then the pictures, of the variant; whatever was
    // loaded before goes.
    void Load(HMODULE skin, bool chinese);

    const SkinDefinition& Definition() const { return m_definition; }
    int Width() const { return m_definition.Width(); }
    int Height() const { return m_definition.Height(); }
    const SkinElement& Element(unsigned stringId) const { return m_definition.Element(stringId); }
    // The element's picture; null when it is hidden, has none, or the
    // library lacks it.
    HBITMAP Picture(unsigned stringId) const;
    // The background, painted on every erase, and a second copy of it that
    // the static controls' pattern brush is made of.
    HBITMAP Background() const { return m_background; }
    HBITMAP BrushBackground() const { return m_brushBackground; }
    HBITMAP GaugeFree() const { return m_gaugeFree; }
    HBITMAP GaugeUsed() const { return m_gaugeUsed; }

    // Moves the window to (0, 0) with the skin's size, cuts it to the
    // outline of the region file (a window without one, or with one that
    // does not read, keeps its rectangle) and places, shows or hides every
    // control; the capacity texts are made where they show.
    void Apply(HWND window, SkinButtons& buttons, CCapacityBar& gauge, CapacityTextControls& texts) const;

private:
    void ApplyRegion(HWND window) const;

    Host& m_host;
    SkinDefinition m_definition;
    std::map<unsigned, std::unique_ptr<CBitmap>> m_pictures;  // by element string id
    CBitmap m_background, m_brushBackground, m_gaugeFree, m_gaugeUsed;
};
