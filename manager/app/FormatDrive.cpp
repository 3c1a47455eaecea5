#include "manager/app/FormatDrive.h"

#include "manager/app/TextCompare.h"

const wchar_t kPlayerFileSystem[] = L"FAT";

int FormatDriveIndex(const std::wstring& path) {
    if (path.empty()) return -1;
    const wchar_t letter = path[0];
    if (letter >= L'A' && letter <= L'Z') return letter - L'A';
    if (letter >= L'a' && letter <= L'z') return letter - L'a';
    return -1;
}

int PlayerFileSystemItem(const std::vector<std::wstring>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (SameIgnoringCase(items[i], kPlayerFileSystem)) return static_cast<int>(i);
    }
    return -1;
}
