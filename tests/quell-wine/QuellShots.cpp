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

// A picture of the searching dialog: taken once `ready` sees the dialog in
// its state, a tick after painting it; `after` is done to the dialog then.
struct Shot {
    const wchar_t* name;
    bool (*ready)(HWND dialog);
    void (*after)(HWND dialog);
};

bool BarHalfWay(HWND dialog) { return ::SendDlgItemMessageW(dialog, kProgress, PBM_GETPOS, 0, 0) >= 8; }

bool ShowsFound(HWND dialog) {
    wchar_t text[64] = {};
    ::GetDlgItemTextW(dialog, kText, text, 64);
    return std::wstring(text) == L"Found Mp3 Player..." || std::wstring(text) == L"已找到设备...";
}

void PressCancel(HWND dialog) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kCancel, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, kCancel)));
}

const Shot* g_shot = nullptr;
bool g_painted = false;

// A thread timer: it fires inside the dialog's own message loop.
void CALLBACK TakeShot(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = SearchDialog();
    if (!dialog || !g_shot->ready(dialog)) return;
    if (!g_painted) {
        g_painted = true;
        Paint(dialog);
        return;
    }
    ::KillTimer(nullptr, timer);
    if (Capture(dialog, g_shot->name) && g_shot->after) g_shot->after(dialog);
}

// Runs the searching dialog and takes its picture; IsUsbConnect's result.
int SearchWithPicture(const Shot& shot) {
    g_shot = &shot;
    g_painted = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 40, TakeShot);
    const int found = IsUsbConnect();
    ::KillTimer(nullptr, timer);
    return found;
}

// A player-shaped skin: a rounded body with a screen and a speaker grille,
// white all around.
uint32_t Skin(int x, int y) {
    const double dx = (x - 120) / 112.0, dy = (y - 80) / 72.0;
    if (std::pow(std::fabs(dx), 3) + std::pow(std::fabs(dy), 3) > 1) return 0xFFFFFF;
    if (x >= 40 && x < 200 && y >= 24 && y < 84) return 0x9FC4D8;  // the screen
    const int gx = (x - 50) % 14 - 7, gy = (y - 98) % 14 - 7;
    if (x >= 50 && x < 190 && y >= 98 && y < 140 && gx * gx + gy * gy < 12) return 0xFFFFFF;  // grille holes
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
    SearchWithPicture({L"search", BarHalfWay, PressCancel});
    SetVidPid(kVendor, kProduct);
    const int found = SearchWithPicture({L"found", ShowsFound, nullptr});

    const bool shaped = ShapedWindow();
    std::printf("quell-shots: %d pictures, player %s\n", g_pictures, found ? "found" : "not found");
    return g_pictures == 3 && found == 1 && shaped ? 0 : 1;
}
