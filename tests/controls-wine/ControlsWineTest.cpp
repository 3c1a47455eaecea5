// Tavlo's skinned controls on real windows under Wine: what only Windows
// shows (the window region a button takes, messages between the buttons of
// a group, the pixels of the gauge, the menu font's measure).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "framework/Bitmap.h"
#include "manager/app/MenuItems.h"
#include "manager/controls/CapacityBar.h"
#include "manager/controls/OwnerDrawMenu.h"
#include "manager/controls/SkinButton.h"
#include "tests/controls-wine/TestWindow.h"

namespace {

const int kPlayStrip = 2036;

// The region of the mask's non-white runs, read pixel by pixel with GDI.
HRGN MaskRegion(HBITMAP strip) {
    BITMAP info;
    ::GetObjectW(strip, sizeof info, &info);
    const int width = info.bmWidth / 5;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ was = ::SelectObject(dc, strip);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < info.bmHeight; ++y) {
        for (int x = 0; x < width;) {
            while (x < width && ::GetPixel(dc, 4 * width + x, y) == 0xFFFFFF) ++x;
            const int first = x;
            while (x < width && ::GetPixel(dc, 4 * width + x, y) != 0xFFFFFF) ++x;
            if (x > first) {
                HRGN run = ::CreateRectRgn(first, y, x, y + 1);
                ::CombineRgn(region, region, run, RGN_OR);
                ::DeleteObject(run);
            }
        }
    }
    ::SelectObject(dc, was);
    ::DeleteDC(dc);
    return region;
}

// A strip of five 10 x 4 frames whose mask is white in its last column.
HBITMAP StripWhiteAtTheEnd() {
    HBITMAP strip = SolidBitmap(50, 4, 0x404040);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ was = ::SelectObject(dc, strip);
    RECT lastColumn = {49, 0, 50, 4};
    ::FillRect(dc, &lastColumn, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SelectObject(dc, was);
    ::DeleteDC(dc);
    return strip;
}

class ControlsOnWindow : public ::testing::Test {
protected:
    void SetUp() override {
        skin = ::LoadLibraryExW(VR_SKIN_LIBRARY, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, skin) << "SkinRes.dll beside the programs";
        window = std::make_unique<TestWindow>(40, 40, 400, 300);
    }
    void TearDown() override {
        window.reset();
        if (skin) ::FreeLibrary(skin);
    }
    HBITMAP SkinBitmap(int id) {
        return static_cast<HBITMAP>(::LoadImageW(skin, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    // A button of that style, subclassed as a skin button.
    CSkinButton& Button(DWORD style, int id, int x = 0) {
        window->AddControl(L"BUTTON", L"", style, id, x, 0, 30, 20);
        buttons[id - 100].SubclassControl(window->Handle(), id);
        return buttons[id - 100];
    }

    HMODULE skin = nullptr;
    std::unique_ptr<TestWindow> window;
    CSkinButton buttons[6];
};

TEST_F(ControlsOnWindow, AButtonTakesTheOutlineOfItsMask) {
    CBitmap strip;
    strip.Attach(SkinBitmap(kPlayStrip));
    ASSERT_NE(nullptr, strip.GetSafeHandle());
    CSkinButton& play = Button(BS_PUSHBUTTON, 100);
    ASSERT_TRUE(play.SetPictures(strip, CSkinButton::kNaturalSize, false, 0));
    HRGN shown = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(play, shown));
    HRGN expected = MaskRegion(strip);
    EXPECT_TRUE(::EqualRgn(shown, expected));
    // Natural size: the button is one frame.
    BITMAP info;
    strip.GetBitmap(&info);
    RECT rect;
    ::GetWindowRect(play, &rect);
    EXPECT_EQ(info.bmWidth / 5, rect.right - rect.left);
    EXPECT_EQ(info.bmHeight, rect.bottom - rect.top);
    ::DeleteObject(shown);
    ::DeleteObject(expected);

    CBitmap edge;
    edge.Attach(StripWhiteAtTheEnd());
    CSkinButton& other = Button(BS_PUSHBUTTON, 101, 100);
    other.SetPictures(edge, CSkinButton::kNaturalSize, false, 0);
    HRGN outline = ::CreateRectRgn(0, 0, 0, 0);
    ::GetWindowRgn(other, outline);
    RECT box;
    EXPECT_EQ(SIMPLEREGION, ::GetRgnBox(outline, &box));
    EXPECT_EQ(9, box.right);
    EXPECT_EQ(4, box.bottom);
    ::DeleteObject(outline);
}

TEST_F(ControlsOnWindow, CheckingARadioButtonUnchecksItsGroupOnly) {
    CSkinButton& first = Button(BS_AUTORADIOBUTTON | WS_GROUP, 100);
    CSkinButton& second = Button(BS_AUTORADIOBUTTON, 101, 40);
    CSkinButton& third = Button(BS_AUTORADIOBUTTON, 102, 80);
    CSkinButton& nextGroup = Button(BS_AUTORADIOBUTTON | WS_GROUP, 103, 120);
    EXPECT_EQ(CSkinButton::kRadioButton, first.GetKind());
    first.SetCheck(BST_CHECKED);
    nextGroup.SetCheck(BST_CHECKED);
    PumpMessages();
    second.SetCheck(BST_CHECKED);
    PumpMessages();
    EXPECT_EQ(BST_UNCHECKED, first.GetCheck());
    EXPECT_EQ(BST_CHECKED, second.GetCheck());
    EXPECT_EQ(BST_UNCHECKED, third.GetCheck());
    EXPECT_EQ(BST_CHECKED, nextGroup.GetCheck());
    // The control is owner-drawn now.
    EXPECT_EQ(static_cast<UINT>(BS_OWNERDRAW), second.GetButtonStyle());
}

TEST_F(ControlsOnWindow, APushButtonNeverShowsChecked) {
    CSkinButton& push = Button(BS_PUSHBUTTON, 100);
    CSkinButton& check = Button(BS_AUTOCHECKBOX, 101, 40);
    push.SetCheck(BST_CHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_UNCHECKED, push.GetCheck());
    EXPECT_EQ(CSkinButton::kCheckBox, check.GetKind());
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
}

COLORREF PixelOf(HWND control, int x, int y) {
    HDC dc = ::GetDC(control);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(control, dc);
    return colour;
}

TEST_F(ControlsOnWindow, TheGaugeDrawsUsedThenFree) {
    CBitmap used, free;
    used.Attach(SolidBitmap(7, 5, RGB(200, 0, 0)));
    free.Attach(SolidBitmap(7, 5, RGB(0, 160, 0)));
    CCapacityBar horizontal, vertical;
    ASSERT_TRUE(horizontal.Create(window->Handle(), 10));
    ASSERT_TRUE(vertical.Create(window->Handle(), 11));
    horizontal.SetRect({10, 100, 110, 112});
    vertical.SetRect({200, 50, 212, 250});
    for (CCapacityBar* gauge : {&horizontal, &vertical}) gauge->SetPictures(free, used);
    horizontal.SetCapacity({131072, 65536});
    vertical.SetCapacity({100, 25});
    EXPECT_EQ(50, horizontal.GetUsedLength());
    EXPECT_EQ(150, vertical.GetUsedLength());
    ::RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(RGB(200, 0, 0), PixelOf(horizontal, 49, 11));
    EXPECT_EQ(RGB(0, 160, 0), PixelOf(horizontal, 50, 0));
    EXPECT_EQ(RGB(0, 160, 0), PixelOf(horizontal, 99, 11));
    // Vertical: free at the top, used at the bottom.
    EXPECT_EQ(RGB(0, 160, 0), PixelOf(vertical, 11, 49));
    EXPECT_EQ(RGB(200, 0, 0), PixelOf(vertical, 0, 50));
    EXPECT_EQ(RGB(200, 0, 0), PixelOf(vertical, 11, 199));
}

TEST_F(ControlsOnWindow, AMenuItemIsMeasuredByTheMenuFont) {
    COwnerDrawMenu menu;
    ASSERT_TRUE(menu.CreatePopup());
    menu.SetIconArea(20, 20);
    MenuItemRecord record;
    SetMenuItemText(record, L"Delete");
    MEASUREITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemData = reinterpret_cast<ULONG_PTR>(&record);
    menu.MeasureItem(item, window->Handle());

    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
    HFONT font = ::CreateFontIndirectW(&metrics.lfMenuFont);
    HDC dc = ::GetDC(window->Handle());
    HGDIOBJ was = ::SelectObject(dc, font);
    TEXTMETRICW text;
    ::GetTextMetricsW(dc, &text);
    ::SelectObject(dc, was);
    ::ReleaseDC(window->Handle(), dc);
    ::DeleteObject(font);
    ASSERT_GT(text.tmAveCharWidth, 0);
    EXPECT_EQ(static_cast<UINT>(6 * text.tmAveCharWidth + 20 + 10), item.itemWidth);
    EXPECT_EQ(static_cast<UINT>(std::max(metrics.iMenuHeight + 1, 20)), item.itemHeight);
}

}  // namespace
