// The simulated PC's local file times, locale texts and message windows.
#include "platform/sim/SimHost.h"

#include <cstring>

// --- Time -----------------------------------------------------------------------

// The simulated PC keeps its local time equal to UTC.
BOOL SimHost::FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime) {
    if (!fileTime || !localFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *localFileTime = *fileTime;
    return TRUE;
}

BOOL SimHost::FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
    if (!fileTime || !systemTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const uint64_t time = static_cast<uint64_t>(fileTime->dwHighDateTime) << 32 | fileTime->dwLowDateTime;
    // Windows refuses times past the range of its signed 64-bit count.
    if (time >> 63) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *systemTime = SimSystemTimeFromFileTime(time);
    return TRUE;
}

// --- Locale ---------------------------------------------------------------------

// Every locale the programs name is the user's one.
int SimHost::GetLocaleInfo(LCID /*locale*/, LCTYPE type, LPWSTR data, int size) {
    std::wstring text;
    if (size < 0 || (size > 0 && !data)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!machine_.Locale().Text(type, text)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const int needed = static_cast<int>(text.size()) + 1;
    if (size == 0) return needed;
    if (size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(data, text.c_str(), needed * sizeof(wchar_t));
    return needed;
}

// --- Windows and messages -----------------------------------------------------------

ATOM SimHost::RegisterClass(const WNDCLASSW* windowClass) {
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!machine_.WindowTable().RegisterClass(process_, windowClass->lpszClassName, windowClass->lpfnWndProc)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    return 0xC000;  // the first atom of the program's own
}

BOOL SimHost::UnregisterClass(LPCWSTR className, HINSTANCE /*instance*/) {
    if (!className || !machine_.WindowTable().UnregisterClass(process_, className)) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    return TRUE;
}

// Message windows only: the place, size, style and parent mean nothing here,
// and no creation messages are sent.
HWND SimHost::CreateWindowEx(DWORD /*exStyle*/, LPCWSTR className, LPCWSTR /*windowName*/, DWORD /*style*/,
                             int /*x*/, int /*y*/, int /*width*/, int /*height*/, HWND /*parent*/, HMENU /*menu*/,
                             HINSTANCE /*instance*/, LPVOID /*parameter*/) {
    HWND window = className ? machine_.WindowTable().Create(process_, className) : nullptr;
    if (!window) SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return window;
}

BOOL SimHost::DestroyWindow(HWND window) {
    if (!machine_.WindowTable().Destroy(process_, window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return TRUE;
}

LRESULT SimHost::DefWindowProc(HWND /*window*/, UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return 0;
}

BOOL SimHost::PeekMessage(MSG* message, HWND window, UINT first, UINT last, UINT remove) {
    if (!message) return FALSE;
    return machine_.WindowTable().Peek(process_, window, first, last, remove, *message) ? TRUE : FALSE;
}

LRESULT SimHost::DispatchMessage(const MSG* message) {
    WNDPROC procedure = message ? machine_.WindowTable().Procedure(process_, message->hwnd) : nullptr;
    if (!procedure) return 0;
    return procedure(message->hwnd, message->message, message->wParam, message->lParam);
}
