// controls-shots: a picture of Tavlo's skinned controls under Wine, on the
// skin's background: buttons from the skin library's strips in their looks
// (normal, hover, down, checked, disabled), the capacity gauge, the two
// sliders and an open owner-drawn popup menu with a greyed item.
//
//   controls-shots FOLDER     (writes controls.bmp)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "manager/app/MenuItems.h"
#include "manager/controls/CapacityBar.h"
#include "manager/controls/OwnerDrawMenu.h"
#include "manager/controls/SkinButton.h"
#include "manager/controls/SkinSlider.h"
#include "tests/controls-wine/TestWindow.h"
#include "tests/wine-ui/WindowCapture.h"

namespace {

struct Look {
    int strip;
    DWORD style;
    bool checked;
    bool disabled;
};

// Play, stop (disabled), refresh, drive 1 (checked radio), drive 2, copy,
// delete, format (held down as a checked check box).
const Look kLooks[] = {
    {2036, BS_PUSHBUTTON, false, false},          {2037, BS_PUSHBUTTON, false, true},
    {2016, BS_PUSHBUTTON, false, false},          {2027, BS_AUTORADIOBUTTON | WS_GROUP, true, false},
    {2029, BS_AUTORADIOBUTTON, false, false},     {2010, BS_PUSHBUTTON, false, false},
    {2008, BS_PUSHBUTTON, false, false},          {2012, BS_AUTOCHECKBOX | WS_GROUP, true, false},
};
const int kLookCount = sizeof kLooks / sizeof kLooks[0];

std::wstring g_folder;
bool g_captured = false;
int g_ticks = 0;
HWND g_window = nullptr;

void CALLBACK DuringMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    ++g_ticks;
    if (g_ticks == 2) {
        // Selects the first item, as the arrow key does.
        ::keybd_event(VK_DOWN, 0, 0, 0);
        ::keybd_event(VK_DOWN, 0, KEYEVENTF_KEYUP, 0);
    } else if (g_ticks == 5) {
        std::string error;
        g_captured = CaptureWindow(g_window, g_folder + L"\\controls.bmp", error);
        if (!g_captured) std::fprintf(stderr, "controls-shots: %s\n", error.c_str());
    } else if (g_ticks >= 6) {
        ::KillTimer(nullptr, timer);
        ::EndMenu();
    }
}

void Settle() {
    for (int i = 0; i < 10; ++i) {
        PumpMessages();
        ::Sleep(50);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: controls-shots FOLDER\n");
        return 2;
    }
    g_folder = argv[1];
    HMODULE skin = ::LoadLibraryExW(VR_SKIN_LIBRARY, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!skin) {
        std::fprintf(stderr, "controls-shots: no SkinRes.dll\n");
        return 1;
    }
    auto bitmap = [skin](int id) {
        return static_cast<HBITMAP>(::LoadImageW(skin, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
    };
    TestWindow window(60, 60, 560, 300);
    g_window = window.Handle();
    window.SetBackground(bitmap(2004));
    ::InvalidateRect(g_window, nullptr, TRUE);

    CSkinButton buttons[kLookCount];
    int x = 16;
    for (int i = 0; i < kLookCount; ++i) {
        window.AddControl(L"BUTTON", L"", kLooks[i].style, 200 + i, x, 16, 10, 10);
        buttons[i].SubclassControl(g_window, 200 + i);
        HBITMAP strip = bitmap(kLooks[i].strip);
        buttons[i].SetPictures(strip, CSkinButton::kNaturalSize, false, 0);
        ::DeleteObject(strip);
        if (kLooks[i].checked) buttons[i].SetCheck(BST_CHECKED);
        if (kLooks[i].disabled) buttons[i].Enable(false);
        RECT placed;
        ::GetWindowRect(buttons[i], &placed);
        x += placed.right - placed.left + 8;
    }

    HBITMAP used = bitmap(2024), free = bitmap(2025);
    CCapacityBar gauge;
    gauge.Create(g_window, 10);
    gauge.SetRect({16, 120, 276, 134});
    gauge.SetPictures(free, used);
    gauge.SetCapacity({131072, 45000});

    CSkinSlider position, volume;
    window.AddControl(TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS, 1004, 16, 160, 260, 24);
    window.AddControl(TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_AUTOTICKS, 1005, 16, 200, 160, 30);
    position.SubclassDlgItem(1004, g_window);
    volume.SubclassDlgItem(1005, g_window);
    position.SetRange(0, 100);
    position.SetPos(35);
    volume.SetRange(0, 10);
    volume.SetPos(7);
    volume.SetThumbColours(RGB(255, 200, 40), RGB(255, 120, 0));
    ::RedrawWindow(g_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();

    // The refresh button under the mouse: its hover look.
    RECT refresh;
    ::GetWindowRect(buttons[2], &refresh);
    ::SetCursorPos((refresh.left + refresh.right) / 2, (refresh.top + refresh.bottom) / 2);
    Settle();

    COwnerDrawMenu menu;
    window.SetMenu(&menu);
    menu.CreatePopup();
    menu.SetIconArea(20, 20);
    menu.SetBackgroundColour(0xFFFFFF);
    menu.SetHighlightColour(0xFF0000);
    MenuItemRecord records[3];
    SetMenuItemText(records[0], L"Copy to Player");
    SetMenuItemText(records[1], L"Copy to PC");
    SetMenuItemText(records[2], L"Delete");
    menu.AppendItem(2025, &records[0], true);
    menu.AppendItem(2026, &records[1], false);
    menu.AppendItem(2027, &records[2], true);
    POINT corner = {330, 40};
    ::ClientToScreen(g_window, &corner);
    ::SetTimer(nullptr, 0, 150, DuringMenu);
    menu.TrackAt(corner, g_window);
    window.SetMenu(nullptr);
    ::DeleteObject(used);
    ::DeleteObject(free);
    ::FreeLibrary(skin);
    return g_captured ? 0 : 1;
}
