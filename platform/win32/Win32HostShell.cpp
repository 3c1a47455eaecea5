// The shell's file operation, built from the record's bytes.
#include "platform/win32/Win32Host.h"

#include "platform/MixerRecords.h"
#include "platform/ShellRecords.h"

int Win32Host::SHFileOperation(HWND owner, BYTE* record, LPCWSTR from, LPCWSTR to, LPCWSTR title) {
    using mixer_record::Get32;
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = owner;
    operation.wFunc = Get32(record + file_operation::kFunction);
    operation.pFrom = from;
    operation.pTo = to;
    operation.fFlags = static_cast<FILEOP_FLAGS>(record[file_operation::kFlags] | record[file_operation::kFlags + 1] << 8);
    operation.lpszProgressTitle = title;
    const int result = ::SHFileOperationW(&operation);
    mixer_record::Put32(record + file_operation::kAnyAborted, operation.fAnyOperationsAborted ? 1 : 0);
    // Asked for (deletion asks) or not, the mappings are the caller's to
    // free, and nobody here reads them.
    if (operation.hNameMappings) ::SHFreeNameMappings(operation.hNameMappings);
    return result;
}
