// The host's locale texts, local file times and message windows, answered
// by Windows.
#include "platform/win32/Win32Host.h"

BOOL Win32Host::FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime) {
    return ::FileTimeToLocalFileTime(fileTime, localFileTime);
}

BOOL Win32Host::FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
    return ::FileTimeToSystemTime(fileTime, systemTime);
}

int Win32Host::GetLocaleInfo(LCID locale, LCTYPE type, LPWSTR data, int size) {
    return ::GetLocaleInfoW(locale, type, data, size);
}

ATOM Win32Host::RegisterClass(const WNDCLASSW* windowClass) { return ::RegisterClassW(windowClass); }

BOOL Win32Host::UnregisterClass(LPCWSTR className, HINSTANCE instance) {
    return ::UnregisterClassW(className, instance);
}

HWND Win32Host::CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                               int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                               LPVOID parameter) {
    return ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menu, instance,
                             parameter);
}

BOOL Win32Host::DestroyWindow(HWND window) { return ::DestroyWindow(window); }

LRESULT Win32Host::DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
}

BOOL Win32Host::PeekMessage(MSG* message, HWND window, UINT first, UINT last, UINT remove) {
    return ::PeekMessageW(message, window, first, last, remove);
}

LRESULT Win32Host::DispatchMessage(const MSG* message) { return ::DispatchMessageW(message); }
