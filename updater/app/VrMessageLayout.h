// Where everything of the message box with details goes: its two measured
// text blocks, the icon, the message, the button row, the separator, the
// details and the window's collapsed and expanded sizes, worked out as one
// plain value before any window is touched.
//
// All lengths are pixels of the dialog's client area. The margins (15, the
// 45 taken off a wrapped line, the 4 between buttons ...) are pixels as they
// stand; the buttons' size is handed in already converted from the
// template's dialog units by the window that shows the box.
#pragma once

#include <cstdint>
#include <string>

#include "updater/base/VrArray.h"
#include "updater/base/VrBase.h"
#include "updater/base/VrOwningArray.h"

struct VrSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const VrSize& other) const { return cx == other.cx && cy == other.cy; }
};

struct VrRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    int Right() const { return x + cx; }
    int Bottom() const { return y + cy; }
    bool operator==(const VrRect& other) const {
        return x == other.x && y == other.y && cx == other.cx && cy == other.cy;
    }
};

// How the dialog's font draws one line: Win32 measures with the dialog's own
// font, tests with a fake of their own.
class VrTextMeasure {
public:
    virtual ~VrTextMeasure() = default;
    // `line` comes without its line end; `expandTabs` is set when it holds
    // tabs, which then stand for the gap to the next tab stop.
    virtual VrSize MeasureLine(const std::wstring& line, bool expandTabs) = 0;
};

// One line of a text block: its text with its line feed, where its tabs
// are, and the room it takes once wrapped.
class CVrTextLine : public CVrBase {
public:
    explicit CVrTextLine(const std::wstring& text);

    const std::wstring& GetText() const { return m_text; }
    const CVrArray& GetTabs() const { return m_tabs; }
    VrSize GetSize() const { return m_size; }

    // Measures the line; one wider than `limit` is wrapped into `wrapWidth`,
    // taking as many line heights as it needs.
    void Measure(VrTextMeasure& measure, int limit, int wrapWidth);

private:
    std::wstring m_text;
    CVrArray m_tabs;
    VrSize m_size;
};

// A text split after each line feed, every line measured: the block is as
// wide as its widest line and as high as all its lines together.
class CVrTextBlock : public CVrBase {
public:
    CVrTextBlock(const std::wstring& text, VrTextMeasure& measure, int limit, int wrapWidth);

    uint32_t GetLineCount() const { return m_lines.GetCount(); }
    const CVrTextLine* GetLine(uint32_t index) const;
    VrSize GetSize() const { return m_size; }

private:
    CVrOwningArray<CVrTextLine> m_lines;
    VrSize m_size;
};

struct VrButtonPlace {
    VrRect rect;  // empty for a button that has no place in the row
    bool visible = false;
    bool enabled = true;
    bool operator==(const VrButtonPlace& other) const {
        return rect == other.rect && visible == other.visible && enabled == other.enabled;
    }
};

// What the box is laid out on: the screen's width, the icon's size and the
// buttons' size in pixels.
struct VrMessageBoxMetrics {
    int screenWidth = 0;
    VrSize icon;
    VrSize button;
};

struct VrMessageBoxLayout {
    VrRect icon;
    VrRect message;
    VrButtonPlace ok, yes, no, expand, collapse;
    VrRect separator;
    VrRect details;
    VrSize collapsed;  // client area down to the separator
    VrSize expanded;   // client area with the details open
    bool operator==(const VrMessageBoxLayout& other) const;
};

// The layout of a box of `kind` (a VrMessageKind) for `message` and
// `details` (empty details leave no way to open them).
VrMessageBoxLayout VrLayOutMessageBox(int kind, const std::wstring& message, const std::wstring& details,
                                      const VrMessageBoxMetrics& metrics, VrTextMeasure& measure);
