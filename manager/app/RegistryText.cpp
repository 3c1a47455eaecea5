#include "manager/app/RegistryText.h"

#include <vector>

std::wstring ReadRegistryText(Host& host, LPCWSTR keyName, LPCWSTR valueName, size_t chars) {
    HKEY key = nullptr;
    if (host.RegOpenKeyEx(HKEY_LOCAL_MACHINE, keyName, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return L"";
    std::vector<WCHAR> buffer(chars, 0);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(chars * sizeof(WCHAR));
    const LONG result =
        host.RegQueryValueEx(key, valueName, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size);
    host.RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return L"";
    size_t length = 0;
    const size_t filled = size / sizeof(WCHAR);
    while (length < filled && length < chars && buffer[length] != 0) ++length;
    return std::wstring(buffer.data(), length);
}
