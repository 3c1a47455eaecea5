#include "updater/app/VrMessageLayout.h"

#include <algorithm>
#include <new>
#include <vector>

#include "updater/app/VrMessageKinds.h"

namespace {

const int kMargin = 15;          // around the icon, the message and the details
const int kWrapAllowance = 45;   // taken off a wrapped line, for the margins and the frame
const int kButtonGap = 4;
const int kRowAllowance = 26;    // the margins beside the button row
const int kSeparatorGap = 30;    // from the lower of icon and message, besides the buttons
const int kDetailsGap = 46;

uint32_t CountLines(const std::wstring& text) {
    uint32_t feeds = static_cast<uint32_t>(std::count(text.begin(), text.end(), L'\n'));
    bool openLast = !text.empty() && text.back() != L'\n';
    return feeds + (openLast ? 1 : 0);
}

uint32_t CountTabs(const std::wstring& text) {
    return static_cast<uint32_t>(std::count(text.begin(), text.end(), L'\t'));
}

}  // namespace

CVrTextLine::CVrTextLine(const std::wstring& text)
    : CVrBase("CVrTextLine"), m_text(text), m_tabs(CountTabs(text)) {
    uint32_t tab = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == L'\t') m_tabs.SetAt(tab++, static_cast<uint32_t>(at));
    }
}

void CVrTextLine::Measure(VrTextMeasure& measure, int limit, int wrapWidth) {
    // The font would draw the line end as a glyph of its own.
    size_t end = m_text.size();
    while (end > 0 && (m_text[end - 1] == L'\n' || m_text[end - 1] == L'\r')) --end;
    m_size = measure.MeasureLine(m_text.substr(0, end), m_tabs.GetCount() > 0);
    if (m_size.cx > limit && wrapWidth > 0) {
        int rows = (m_size.cx + wrapWidth - 1) / wrapWidth;
        m_size = {wrapWidth, m_size.cy * rows};
    }
}

CVrTextBlock::CVrTextBlock(const std::wstring& text, VrTextMeasure& measure, int limit, int wrapWidth)
    : CVrBase("CVrTextBlock"), m_lines(CountLines(text)) {
    if (m_lines.GetLastResult() != kVrOk) {
        SetResult(m_lines.GetLastResult());
        return;
    }
    size_t start = 0;
    for (uint32_t index = 0; index < m_lines.GetCount(); ++index) {
        size_t feed = text.find(L'\n', start);
        size_t end = feed == std::wstring::npos ? text.size() : feed + 1;
        CVrTextLine* line = new (std::nothrow) CVrTextLine(text.substr(start, end - start));
        if (line == nullptr) {
            SetResult(kVrNoMemory);
            return;
        }
        m_lines.SetAt(index, line);
        line->Measure(measure, limit, wrapWidth);
        m_size.cx = std::max(m_size.cx, line->GetSize().cx);
        m_size.cy += line->GetSize().cy;
        start = end;
    }
}

const CVrTextLine* CVrTextBlock::GetLine(uint32_t index) const {
    CVrTextLine* line = nullptr;
    m_lines.GetAt(index, line);
    return line;
}

bool VrMessageBoxLayout::operator==(const VrMessageBoxLayout& other) const {
    return icon == other.icon && message == other.message && ok == other.ok && yes == other.yes &&
           no == other.no && expand == other.expand && collapse == other.collapse &&
           separator == other.separator && details == other.details && collapsed == other.collapsed &&
           expanded == other.expanded;
}

VrMessageBoxLayout VrLayOutMessageBox(int kind, const std::wstring& message, const std::wstring& details,
                                      const VrMessageBoxMetrics& metrics, VrTextMeasure& measure) {
    // Nothing may be wider than three fifths of the screen; the message also
    // shares its width with the icon.
    int limit = metrics.screenWidth / 5 * 3;
    CVrTextBlock messageBlock(message, measure, limit, limit - kWrapAllowance - metrics.icon.cx);
    CVrTextBlock detailsBlock(details, measure, limit, limit - kWrapAllowance);

    VrMessageBoxLayout layout;
    layout.icon = {kMargin, kMargin, metrics.icon.cx, metrics.icon.cy};
    VrSize text = messageBlock.GetSize();
    int top = kMargin;
    // A single line sits centred beside the icon, unless wrapping made it
    // taller than the icon: it never rises above the margin.
    if (messageBlock.GetLineCount() == 1) top = std::max(kMargin, kMargin + (metrics.icon.cy - text.cy) / 2);
    layout.message = {layout.icon.Right() + kMargin, top, text.cx, text.cy};

    int lower = std::max(layout.icon.Bottom(), layout.message.Bottom());
    VrSize button = metrics.button;
    layout.details = {kMargin, lower + button.cy + kDetailsGap, detailsBlock.GetSize().cx,
                      detailsBlock.GetSize().cy};

    std::vector<VrButtonPlace*> row;
    if (kind == kVrMessageOption) {
        row = {&layout.yes, &layout.no};
        layout.ok.enabled = false;
    } else {
        row = {&layout.ok};
        layout.yes.enabled = false;
        layout.no.enabled = false;
    }
    if (!details.empty()) row.push_back(&layout.expand);

    int rowWidth = static_cast<int>(row.size()) * (button.cx + kButtonGap);
    int textRight = std::max(layout.message.Right(), layout.details.Right()) + kMargin;
    int width = std::max(rowWidth + kRowAllowance, textRight);
    int x = (width - rowWidth + kButtonGap) / 2;
    for (VrButtonPlace* place : row) {
        place->rect = {x, lower + kMargin, button.cx, button.cy};
        place->visible = true;
        x += button.cx + kButtonGap;
    }
    // The collapse button takes the expand button's place when the details open.
    layout.collapse.rect = layout.expand.rect;

    layout.separator = {0, lower + kSeparatorGap + button.cy, textRight, 1};
    layout.collapsed = {width, layout.separator.Bottom()};
    layout.expanded = {width, layout.details.Bottom() + kMargin};
    return layout;
}
