// The shell's file operation, its record filled from the seam's arguments.
#include "platform/win32/Win32Host.h"

#include <shellapi.h>

int Win32Host::SHFileOperation(HWND owner, UINT function, LPCWSTR from, LPCWSTR to, WORD flags, BOOL* anyAborted) {
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = owner;
    operation.wFunc = function;
    operation.pFrom = from;
    operation.pTo = to;
    operation.fFlags = flags;
    const int result = ::SHFileOperationW(&operation);
    if (anyAborted) *anyAborted = operation.fAnyOperationsAborted;
    return result;
}
