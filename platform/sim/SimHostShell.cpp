// The shell's file operation on the simulated PC: no windows, and one file
// per operation (no folders, no wildcards), done with the program's own
// file calls so that the simulated drives see what the shell would do.
#include <vector>

#include "platform/sim/SimHost.h"

namespace {

// The first path of a list and whether it is the only one.
bool SinglePath(LPCWSTR list, std::wstring& path) {
    if (!list || !*list) return false;
    path = list;
    return list[path.size() + 1] == 0;
}

}  // namespace

int SimHost::SHFileOperation(HWND /*owner*/, UINT function, LPCWSTR from, LPCWSTR to, WORD /*flags*/,
                             BOOL* anyAborted) {
    if (anyAborted) *anyAborted = FALSE;
    std::wstring source, destination;
    if (!SinglePath(from, source)) return ERROR_INVALID_PARAMETER;
    if (function == FO_DELETE) return DeleteFile(source.c_str()) ? 0 : static_cast<int>(GetLastError());
    if ((function != FO_MOVE && function != FO_COPY) || !SinglePath(to, destination)) return ERROR_INVALID_PARAMETER;

    HANDLE in = CreateFile(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (in == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
    HANDLE out = CreateFile(destination.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        CloseHandle(in);
        return static_cast<int>(error);
    }
    std::vector<BYTE> buffer(64 * 1024);
    DWORD error = 0;
    for (;;) {
        DWORD read = 0, written = 0;
        if (!ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
            error = GetLastError();
            break;
        }
        if (read == 0) break;
        if (!WriteFile(out, buffer.data(), read, &written, nullptr) || written != read) {
            error = GetLastError();
            break;
        }
    }
    CloseHandle(in);
    CloseHandle(out);
    if (error != 0) {
        DeleteFile(destination.c_str());
        return static_cast<int>(error);
    }
    if (function == FO_MOVE && !DeleteFile(source.c_str())) return static_cast<int>(GetLastError());
    return 0;
}
