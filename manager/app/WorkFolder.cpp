#include "manager/app/WorkFolder.h"

#include "manager/app/RegistryText.h"

namespace {

const wchar_t kWorkFolderKey[] = L"SOFTWARE\\Merel";
const wchar_t kWorkFolderValue[] = L"WorkFolder";
// The value's buffer: 200 bytes on Windows.
const DWORD kWorkFolderChars = 100;

}  // namespace

std::wstring JoinWorkFolder(const std::vector<std::wstring>& labelsFromSelected) {
    std::wstring path;
    for (const std::wstring& label : labelsFromSelected) path = L"\\" + label + path;
    return path.empty() ? path : path.substr(1);
}

std::vector<std::wstring> SplitWorkFolder(const std::wstring& path) {
    std::vector<std::wstring> labels;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        if (end > start) labels.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return labels;
}

std::wstring ReadWorkFolder(Host& host) {
    return ReadRegistryText(host, kWorkFolderKey, kWorkFolderValue, kWorkFolderChars);
}

void StoreWorkFolder(Host& host, const std::wstring& path) {
    if (path.empty()) return;
    HKEY key = nullptr;
    if (host.RegOpenKeyEx(HKEY_LOCAL_MACHINE, kWorkFolderKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS &&
        host.RegCreateKeyEx(HKEY_LOCAL_MACHINE, kWorkFolderKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                            nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const DWORD bytes = static_cast<DWORD>((path.size() + 1) * sizeof(WCHAR));
    host.RegSetValueEx(key, kWorkFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()), bytes);
    host.RegCloseKey(key);
}
