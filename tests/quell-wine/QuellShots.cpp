// quell-shots: pictures of Quell's windows under Wine, made with its test
// build (which shows the player's USB device): the searching dialog while it
// looks for a device that is not there, the same dialog having found the
// player, and a window shaped by QWndSetupBmp. The dialog's language is the
// system's.
//
//   quell-shots FOLDER     (writes search.bmp, found.bmp, shaped-window.bmp)
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "tests/quell-wine/TestBitmaps.h"
#include "tests/wine-ui/WindowCapture.h"
#include "usbsupport/Quell.h"

namespace {

const unsigned kVendor = 0x0ED1;
const unsigned kProduct = 0x7636;
const int kCancel = 1000;
const int kProgress = 1001;
const int kText = 1003;

std::wstring g_folder;
int g_pictures = 0;

// Paints the window and its controls now; the screen shows them by the next tick.
void Paint(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

bool Capture(HWND window, const wchar_t* name) {
    std::string error;
    if (!CaptureWindow(window, g_folder + L"\\" + name + L".bmp", error)) {
        std::fprintf(stderr, "quell-shots: %ls: %s\n", name, error.c_str());
        return false;
    }
    ++g_pictures;
    return true;
}

BOOL CALLBACK FindSearchDialog(HWND window, LPARAM result) {
    if (!::IsWindowVisible(window) || !::GetDlgItem(window, kProgress)) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

// The searching dialog among this thread's windows, or null.
HWND SearchDialog() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindSearchDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Thread timers fire inside the dialog's own message loop.
// Each picture is taken a tick after the dialog was seen in its state and painted.
bool g_painted = false;

void CALLBACK WhileSearching(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = SearchDialog();
    if (!dialog || ::SendDlgItemMessageW(dialog, kProgress, PBM_GETPOS, 0, 0) < 8) return;
    if (!g_painted) {
        g_painted = true;
        Paint(dialog);
        return;
    }
    ::KillTimer(nullptr, timer);
    Capture(dialog, L"search");
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kCancel, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kCancel)));
}

void CALLBACK OnceFound(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = SearchDialog();
    if (!dialog) return;
    wchar_t text[64] = {};
    ::GetDlgItemTextW(dialog, kText, text, 64);
    if (std::wstring(text) != L"Found Mp3 Player..." && std::wstring(text) != L"已找到设备...") return;
    if (!g_painted) {
        g_painted = true;
        Paint(dialog);
        return;
    }
    ::KillTimer(nullptr, timer);
    Capture(dialog, L"found");
}

// A player-shaped skin: a rounded body with a screen and a speaker grille,
// white all around.
uint32_t Skin(int x, int y) {
    const double dx = (x - 120) / 112.0, dy = (y - 80) / 72.0;
    if (std::pow(std::fabs(dx), 3) + std::pow(std::fabs(dy), 3) > 1) return 0xFFFFFF;
    if (x >= 40 && x < 200 && y >= 24 && y < 84) return 0x9FC4D8;  // the screen
    const int gx = (x - 50) % 14, gy = (y - 100) % 14;
    if (x >= 50 && x < 190 && y >= 100 && y < 142 && gx * gx + gy * gy < 16) return 0xFFFFFF;  // grille holes
    return 0x2E3F52;
}

HBITMAP g_skin = nullptr;

LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        HDC memory = ::CreateCompatibleDC(dc);
        HGDIOBJ was = ::SelectObject(memory, g_skin);
        ::BitBlt(dc, 0, 0, 240, 160, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, was);
        ::DeleteDC(memory);
        ::EndPaint(window, &paint);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

bool ShapedWindow() {
    g_skin = MakeBitmap(240, 160, Skin);
    WNDCLASSW kind = {};
    kind.lpfnWndProc = SkinProc;
    kind.hInstance = ::GetModuleHandleW(nullptr);
    kind.lpszClassName = L"QuellShapedWindow";
    kind.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    ::RegisterClassW(&kind);
    CWnd window(::CreateWindowExW(WS_EX_TOPMOST, kind.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 300, 240, 240, 160,
                                  nullptr, nullptr, kind.hInstance, nullptr));
    CBitmap skin;
    skin.Attach(g_skin);
    QWndSetupBmp(&window, skin);
    skin.Detach();
    MSG message;
    Paint(window);
    ::Sleep(300);  // the desktop repaints around the new outline
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    const bool captured = Capture(window, L"shaped-window");
    ::DestroyWindow(window.Detach());
    ::DeleteObject(g_skin);
    return captured;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quell-shots FOLDER\n");
        return 2;
    }
    g_folder = argv[1];
    SetSpeedMaxValue(20);
    SetCheckSpeed(150);

    SetVidPid(kVendor, 0x0001);  // a device that is not there: the search runs on
    UINT_PTR timer = ::SetTimer(nullptr, 0, 40, WhileSearching);
    IsUsbConnect();
    ::KillTimer(nullptr, timer);

    SetVidPid(kVendor, kProduct);
    g_painted = false;
    timer = ::SetTimer(nullptr, 0, 40, OnceFound);
    const int found = IsUsbConnect();
    ::KillTimer(nullptr, timer);

    const bool shaped = ShapedWindow();
    std::printf("quell-shots: %d pictures, player %s\n", g_pictures, found ? "found" : "not found");
    return g_pictures == 3 && found == 1 && shaped ? 0 : 1;
}
