// Quell.dll's region functions against GDI under Wine: the regions they
// build, read back with GetRegionData, the copies CopyBitmap makes, and the
// outline QWndSetupBmp gives a window.
#include <gtest/gtest.h>

#include <string>

#include "tests/quell-wine/TestBitmaps.h"
#include "usbsupport/Quell.h"

namespace {

const unsigned long kWhite = 0xFFFFFFFF;
const unsigned long kSixteen = 0x101010;

struct Region {
    explicit Region(HRGN handle) : handle(handle) {}
    ~Region() {
        if (handle) ::DeleteObject(handle);
    }
    HRGN handle;
};

struct Bitmap {
    explicit Bitmap(HBITMAP handle) : handle(handle) {}
    ~Bitmap() { ::DeleteObject(handle); }
    HBITMAP handle;
};

TEST(QuellRegions, AllWhiteGivesAnEmptyRegionNotNull) {
    Bitmap white(MakeBitmap(16, 8, [](int, int) { return 0xFFFFFFu; }));
    Region region(BitmapToRegion(white.handle, kWhite, kSixteen));
    ASSERT_NE(nullptr, region.handle);
    RECT box;
    EXPECT_EQ(NULLREGION, ::GetRgnBox(region.handle, &box));
    EXPECT_EQ(nullptr, BitmapToRegion(nullptr, kWhite, kSixteen));
    EXPECT_EQ(nullptr, CreateRgnFromBitmap(nullptr, kWhite));
}

TEST(QuellRegions, NearWhiteStaysAndRunsReachTheRightEdgeInBothConverters) {
    // Row 0: (250, 250, 250) at 2 and 3; row 1: black from 5 to the edge.
    Bitmap bitmap(MakeBitmap(8, 2, [](int x, int y) {
        if (y == 0) return x == 2 || x == 3 ? 0xFAFAFAu : 0xFFFFFFu;
        return x >= 5 ? 0u : 0xFFFFFFu;
    }));
    const std::vector<RECT> expected = {{2, 0, 4, 1}, {5, 1, 8, 2}};
    Region fast(BitmapToRegion(bitmap.handle, kWhite, kSixteen));
    Region slow(CreateRgnFromBitmap(bitmap.handle, 0xFFFFFF));
    EXPECT_TRUE(SameRects(expected, RegionRects(fast.handle)));
    EXPECT_TRUE(SameRects(expected, RegionRects(slow.handle)));
}

TEST(QuellRegions, ARedColourCutsOutRedAndNotBlue) {
    Bitmap bitmap(MakeBitmap(3, 1, [](int x, int) { return x == 0 ? 0xFF0000u : x == 1 ? 0x0000FFu : 0u; }));
    Region region(BitmapToRegion(bitmap.handle, 0x0000FF, 0));  // red: the colour value keeps red in byte 0
    EXPECT_TRUE(SameRects({{1, 0, 3, 1}}, RegionRects(region.handle)));
}

TEST(QuellRegions, ManyBatchesOfRectanglesMakeTheSameRegionAsOneAtATime) {
    // Every other pixel of 150 columns on 40 rows: 3000 runs, many batches.
    Bitmap bitmap(MakeBitmap(150, 40, [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFu : 0x203040u; }));
    std::vector<RECT> runs;
    for (int y = 0; y < 40; ++y) {
        for (int x = y % 2; x < 150; x += 2) runs.push_back({x, y, x + 1, y + 1});
    }
    Region expected(RegionOf(runs));
    Region fast(BitmapToRegion(bitmap.handle, kWhite, 0));
    Region slow(CreateRgnFromBitmap(bitmap.handle, 0xFFFFFF));
    EXPECT_TRUE(::EqualRgn(expected.handle, fast.handle));
    EXPECT_TRUE(::EqualRgn(expected.handle, slow.handle));
}

TEST(QuellRegions, CopyBitmapCopiesTheRectangleAndLeavesEmptyOnesAlone) {
    Bitmap source(MakeBitmap(10, 10, [](int x, int y) { return static_cast<uint32_t>(x * 20 << 16 | y * 20 << 8 | 7); }));
    CBitmap from;
    from.Attach(source.handle);
    HDC screen = ::GetDC(nullptr);
    CDC reference(screen);
    CBitmap copy;
    CopyBitmap(&reference, copy, from, RECT{2, 3, 7, 9});
    from.Detach();
    ASSERT_NE(nullptr, copy.GetSafeHandle());
    BITMAP info;
    ASSERT_TRUE(copy.GetBitmap(&info));
    EXPECT_EQ(5, info.bmWidth);
    EXPECT_EQ(6, info.bmHeight);
    HDC memory = ::CreateCompatibleDC(screen);
    HGDIOBJ was = ::SelectObject(memory, copy.GetSafeHandle());
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(RGB((x + 2) * 20, (y + 3) * 20, 7), ::GetPixel(memory, x, y)) << x << "," << y;
        }
    }
    ::SelectObject(memory, was);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    HBITMAP kept = copy.GetSafeHandle();
    from.Attach(MakeBitmap(4, 4, [](int, int) { return 0u; }));
    CopyBitmap(nullptr, copy, from, RECT{3, 3, 3, 5});
    EXPECT_EQ(kept, copy.GetSafeHandle());
    CBitmap none;
    CopyBitmap(nullptr, copy, none, RECT{0, 0, 2, 2});
    EXPECT_EQ(kept, copy.GetSafeHandle());
    CopyBitmap(nullptr, copy, from, RECT{0, 0, 2, 2});  // the screen's format without a reference
    ASSERT_TRUE(copy.GetBitmap(&info));
    EXPECT_EQ(2, info.bmWidth);
    EXPECT_GT(info.bmBitsPixel, 1);
}

// The message boxes shown while a call runs: a thread timer, which fires
// inside the box's own message loop, reads and closes each.
class MessageBoxes {
public:
    MessageBoxes() { s_seen = this, m_timer = ::SetTimer(nullptr, 0, 50, OnTimer); }
    ~MessageBoxes() { ::KillTimer(nullptr, m_timer), s_seen = nullptr; }
    std::wstring texts;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        ::EnumThreadWindows(::GetCurrentThreadId(), CloseBox, 0);
    }
    static BOOL CALLBACK CloseBox(HWND window, LPARAM) {
        wchar_t kind[16] = {}, caption[64] = {}, message[256] = {};
        ::GetClassNameW(window, kind, 16);
        if (std::wstring(kind) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
        ::GetWindowTextW(window, caption, 64);
        ::GetDlgItemTextW(window, 0xFFFF, message, 256);  // the box's text control
        s_seen->texts += std::wstring(caption) + L": " + message + L"\n";
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    static MessageBoxes* s_seen;
    UINT_PTR m_timer;
};
MessageBoxes* MessageBoxes::s_seen = nullptr;

class QuellWindowOutline : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.Attach(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 60, 40, nullptr, nullptr,
                                          nullptr, nullptr));
        ASSERT_NE(nullptr, m_window.GetHandle());
    }
    void TearDown() override { ::DestroyWindow(m_window.Detach()); }
    std::vector<RECT> WindowRects() {
        Region region(::CreateRectRgn(0, 0, 0, 0));
        if (::GetWindowRgn(m_window.GetHandle(), region.handle) == ERROR) return {{-1, -1, -1, -1}};
        return RegionRects(region.handle);
    }
    CWnd m_window;
};

TEST_F(QuellWindowOutline, TheWindowTakesTheBitmapsOutlineWithoutAWord) {
    CBitmap skin;
    skin.Attach(MakeBitmap(60, 40, [](int x, int y) { return x >= 10 && x < 50 && y >= 5 && y < 35 ? 0x336699u : 0xFFFFFFu; }));
    MessageBoxes boxes;
    QWndSetupBmp(&m_window, skin);
    EXPECT_TRUE(SameRects({{10, 5, 50, 35}}, WindowRects()));

    skin.Attach(MakeBitmap(60, 40, [](int, int) { return 0xFFFFFFu; }));
    QWndSetupBmp(&m_window, skin);
    EXPECT_TRUE(WindowRects().empty());  // all cut out: the window is invisible
    EXPECT_EQ(L"", boxes.texts);
}

TEST_F(QuellWindowOutline, NoBitmapIsReportedAndNoWindowIsLeftAlone) {
    CBitmap none;
    MessageBoxes boxes;
    QWndSetupBmp(&m_window, none);
    EXPECT_EQ(L"Warning: HRgn Error!\n", boxes.texts);

    CWnd unattached;
    QWndSetupBmp(&unattached, none);
    QWndSetupBmp(nullptr, none);
    EXPECT_EQ(L"Warning: HRgn Error!\n", boxes.texts);
}

}  // namespace
