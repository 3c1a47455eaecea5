#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "updater/app/VrMessageKinds.h"
#include "updater/app/VrMessageLayout.h"

namespace {

// A font whose every character is 6 pixels wide and 13 high, with tab stops
// every 48 pixels; it notes what it was asked to measure.
class FakeMeasure : public VrTextMeasure {
public:
    VrSize MeasureLine(const std::wstring& line, bool expandTabs) override {
        asked.push_back(line);
        askedTabs.push_back(expandTabs);
        int width = 0;
        for (wchar_t c : line) width = (c == L'\t' && expandTabs) ? (width / 48 + 1) * 48 : width + 6;
        return {width, 13};
    }
    std::vector<std::wstring> asked;
    std::vector<bool> askedTabs;
};

// A 800-pixel screen (limit 480), 32-pixel icons and the 57 by 14 dialog-unit
// buttons as the dialog's font makes them.
const VrMessageBoxMetrics kMetrics{800, {32, 32}, {86, 23}};

VrMessageBoxLayout LayOut(int kind, const std::wstring& message, const std::wstring& details) {
    FakeMeasure measure;
    return VrLayOutMessageBox(kind, message, details, kMetrics, measure);
}

TEST(MessageTextBlock, SplitsAfterEachLineFeedAndMeasuresWithoutTheLineEnd) {
    FakeMeasure measure;
    CVrTextBlock block(L"Drive\tE:\r\nNo medium\n\nlast", measure, 480, 435);
    ASSERT_EQ(4u, block.GetLineCount());
    EXPECT_EQ(L"Drive\tE:\r\n", block.GetLine(0)->GetText());
    EXPECT_EQ(L"\n", block.GetLine(2)->GetText());
    EXPECT_EQ(L"last", block.GetLine(3)->GetText());
    uint32_t tab = 99;
    ASSERT_EQ(1u, block.GetLine(0)->GetTabs().GetCount());
    EXPECT_EQ(kVrOk, block.GetLine(0)->GetTabs().GetAt(0, tab));
    EXPECT_EQ(5u, tab);
    EXPECT_EQ(0u, block.GetLine(1)->GetTabs().GetCount());

    EXPECT_EQ((std::vector<std::wstring>{L"Drive\tE:", L"No medium", L"", L"last"}), measure.asked);
    EXPECT_EQ((std::vector<bool>{true, false, false, false}), measure.askedTabs);
    // "Drive" to the tab stop at 48, then "E:"; "No medium" is 54.
    EXPECT_EQ((VrSize{60, 52}), block.GetSize());

    CVrTextBlock closed(L"one line\n", measure, 480, 435);
    EXPECT_EQ(1u, closed.GetLineCount());
    CVrTextBlock empty(L"", measure, 480, 435);
    EXPECT_EQ(0u, empty.GetLineCount());
    EXPECT_EQ((VrSize{0, 0}), empty.GetSize());
}

TEST(MessageBoxLayout, AnErrorWithDetails) {
    VrMessageBoxLayout layout = LayOut(kVrMessageError, L"Cannot open the player.", L"Error 5\nAccess is denied.");
    VrMessageBoxLayout expected;
    expected.icon = {15, 15, 32, 32};
    expected.message = {62, 24, 138, 13};  // one line: centred on the icon
    expected.ok = {{19, 62, 86, 23}, true, true};
    expected.yes = {{}, false, false};
    expected.no = {{}, false, false};
    expected.expand = {{109, 62, 86, 23}, true, true};
    expected.collapse = {{109, 62, 86, 23}, false, true};
    expected.separator = {0, 100, 215, 1};
    expected.details = {15, 116, 102, 26};
    expected.collapsed = {215, 101};
    expected.expanded = {215, 157};
    EXPECT_EQ(expected, layout);
}

TEST(MessageBoxLayout, AMessageOfSeveralLinesStartsAtTheTopMargin) {
    VrMessageBoxLayout layout = LayOut(kVrMessageWarning, L"The player is busy.\nTry again later.", L"");
    EXPECT_EQ((VrRect{62, 15, 114, 26}), layout.message);
    // Without details there is nothing to open: OK alone, centred.
    EXPECT_TRUE(layout.ok.visible);
    EXPECT_FALSE(layout.expand.visible);
    EXPECT_FALSE(layout.collapse.visible);
    EXPECT_EQ(191, layout.collapsed.cx);
    EXPECT_EQ((191 - 90 + 4) / 2, layout.ok.rect.x);
}

TEST(MessageBoxLayout, AQuestionAnswersWithYesAndNo) {
    VrMessageBoxLayout layout = LayOut(kVrMessageOption, L"Format the player?", L"All files will be lost.");
    EXPECT_FALSE(layout.ok.visible);
    EXPECT_FALSE(layout.ok.enabled);
    ASSERT_TRUE(layout.yes.visible && layout.no.visible && layout.expand.visible);
    EXPECT_TRUE(layout.yes.enabled && layout.no.enabled);
    // Three buttons 4 apart, in that order, centred in the 296-pixel row + 26.
    EXPECT_EQ(296, layout.collapsed.cx);
    EXPECT_EQ(15, layout.yes.rect.x);
    EXPECT_EQ(layout.yes.rect.Right() + 4, layout.no.rect.x);
    EXPECT_EQ(layout.no.rect.Right() + 4, layout.expand.rect.x);
    EXPECT_EQ(layout.collapsed.cx - 15, layout.expand.rect.Right());

    for (int kind : {int(kVrMessageInformation), 1, 9}) {
        VrMessageBoxLayout other = LayOut(kind, L"Done.", L"details");
        EXPECT_TRUE(other.ok.visible && other.ok.enabled) << kind;
        EXPECT_FALSE(other.yes.visible || other.yes.enabled || other.no.visible || other.no.enabled) << kind;
        EXPECT_TRUE(other.expand.visible) << kind;
    }
}

TEST(MessageBoxLayout, TextWiderThanThreeFifthsOfTheScreenWraps) {
    // 200 characters are 1200 pixels, over the limit of 480: the message
    // wraps into 480 - 45 - 32 = 403 pixels (three rows), the details into 435.
    std::wstring wide(200, L'x');
    VrMessageBoxLayout layout = LayOut(kVrMessageError, wide, L"short\n" + wide + L"\n");
    EXPECT_EQ((VrRect{62, 15, 403, 39}), layout.message);  // taller than the icon: at the margin
    EXPECT_EQ(435, layout.details.cx);
    EXPECT_EQ(13 + 39, layout.details.cy);
    EXPECT_EQ(480, layout.collapsed.cx);
    EXPECT_LE(layout.separator.Right(), 480);
    EXPECT_LE(layout.details.Right(), 480);
}

TEST(MessageBoxLayout, CollapsedEndsAtTheSeparatorAndExpandedBelowTheDetails) {
    VrMessageBoxLayout layout = LayOut(kVrMessageError, L"Failed.", L"one\ntwo\nthree");
    int lower = 15 + 32;  // the icon is the lower of icon and message
    EXPECT_EQ(lower + 15, layout.ok.rect.y);
    EXPECT_EQ(lower + 30 + 23, layout.separator.y);
    EXPECT_EQ(layout.separator.Bottom(), layout.collapsed.cy);
    EXPECT_EQ(lower + 23 + 46, layout.details.y);
    EXPECT_EQ(39, layout.details.cy);
    EXPECT_EQ(layout.details.Bottom() + 15, layout.expanded.cy);
}

}  // namespace
