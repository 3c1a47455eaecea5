#include "manager/app/PlayerDrives.h"

const wchar_t kPlayerProductText[] = L"MP3 Audio Player";
const wchar_t kPlayerVendorText[] = L"LUMO";

namespace {

const wchar_t kProbeFile[] = L"\\vok.tmp";

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

void DetectPlayerDrives(Host& host, const PlayerDriveQuery& query, DriveList& drives) {
    // The start value means nothing; it only shows whether Quell filled it.
    std::wstring roots = L"?:\\?:\\";
    if (query(roots, kPlayerProductText, kPlayerVendorText) == 0 || roots.size() < 2) return;
    const std::wstring first = roots.substr(0, 2);
    drives.push_back(first);
    const std::wstring next = NextDrive(first);
    if (!next.empty() && DriveTakesFiles(host, next)) drives.push_back(next);
}

std::wstring NextDrive(const std::wstring& drive) {
    if (drive.size() < 2 || !IsDriveLetter(drive[0]) || drive[1] != L':') return L"";
    const wchar_t letter = static_cast<wchar_t>(drive[0] & ~0x20);
    if (letter == L'Z') return L"";
    return std::wstring(1, static_cast<wchar_t>(letter + 1)) + L":";
}

bool DriveTakesFiles(Host& host, const std::wstring& drive) {
    const std::wstring probe = drive + kProbeFile;
    HANDLE file = host.CreateFile(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        host.CloseHandle(file);
        host.DeleteFile(probe.c_str());
        return true;
    }
    if (host.GetLastError() != ERROR_FILE_EXISTS) return false;
    // The user's own vok.tmp: opening it for writing proves the medium takes
    // changes, and leaves its contents as they are.
    file = host.CreateFile(probe.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    host.CloseHandle(file);
    return true;
}

int PlayerDriveIndex(const std::wstring& displayName, const DriveList& drives) {
    for (size_t i = 0; i < drives.size() && i < 2; ++i) {
        if (!drives[i].empty() && displayName.find(drives[i]) != std::wstring::npos) return static_cast<int>(i);
    }
    return -1;
}
