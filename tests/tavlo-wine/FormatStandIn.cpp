#include "tests/tavlo-wine/FormatStandIn.h"

#include <string>

const wchar_t kFormatStandInClass[] = L"TavloFormatStandIn";

namespace {

const int kFileSystemCombo = 28677;
const DWORD kCancelled = 0xFFFFFFFEu;  // SHFMT_CANCEL

LRESULT CALLBACK FormatWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) ::DestroyWindow(window);
        return 0;
    case WM_CLOSE:
        ::DestroyWindow(window);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int width,
           int height, int id) {
    HWND child = ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                   nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

}  // namespace

DWORD WINAPI StandInFormatDrive(HWND owner, UINT drive, UINT /*formatId*/, UINT /*options*/) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = FormatWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormatStandInClass;
    ::RegisterClassW(&windowClass);

    const std::wstring title = L"Format " + std::wstring(1, static_cast<wchar_t>(L'A' + drive)) + L":";
    RECT ownerRect = {};
    ::GetWindowRect(owner, &ownerRect);
    HWND window = ::CreateWindowExW(WS_EX_DLGMODALFRAME, kFormatStandInClass, title.c_str(),
                                    WS_POPUP | WS_CAPTION | WS_SYSMENU, ownerRect.left + 60, ownerRect.top + 60, 260,
                                    200, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!window) return kCancelled;
    Child(window, L"STATIC", L"File system", 0, 12, 12, 230, 16, -1);
    HWND combo = Child(window, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 12, 30, 230, 120,
                       kFileSystemCombo);
    for (const wchar_t* item : {L"FAT32", L"FAT", L"NTFS"}) {
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
    Child(window, L"BUTTON", L"Start", BS_DEFPUSHBUTTON | WS_TABSTOP, 70, 130, 80, 24, IDOK);
    Child(window, L"BUTTON", L"Close", BS_PUSHBUTTON | WS_TABSTOP, 160, 130, 80, 24, IDCANCEL);

    // Modal over the owner, as the shell's dialog is.
    ::EnableWindow(owner, FALSE);
    ::ShowWindow(window, SW_SHOW);
    MSG message;
    while (::IsWindow(window) && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    ::EnableWindow(owner, TRUE);
    ::SetForegroundWindow(owner);
    return kCancelled;
}
