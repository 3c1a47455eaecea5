// The registry calls of a process on the simulated PC. They answer with their
// return code and leave the last error alone, as Windows' do.
#include "platform/sim/SimHost.h"

std::shared_ptr<SimOpenKey> SimHost::KeyOf(HKEY key) {
    // Only Windows 95, 98 and Me have the dynamic data.
    if (key == HKEY_DYN_DATA && !machine_.RunsWindows9x()) return nullptr;
    if (std::shared_ptr<SimRegistry::Key> root = machine_.Registry().Root(key)) {
        return std::make_shared<SimOpenKey>(root, KEY_ALL_ACCESS);
    }
    return handles_.Get<SimOpenKey>(reinterpret_cast<HANDLE>(key));
}

LONG SimHost::AddKey(const std::shared_ptr<SimRegistry::Key>& key, REGSAM access, HKEY* result) {
    *result = reinterpret_cast<HKEY>(handles_.Add(std::make_shared<SimOpenKey>(key, access)));
    return ERROR_SUCCESS;
}

LONG SimHost::RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD, REGSAM access, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    std::shared_ptr<SimOpenKey> from = KeyOf(key);
    if (!from) return ERROR_INVALID_HANDLE;
    std::shared_ptr<SimRegistry::Key> found;
    LONG error = machine_.Registry().Open(from->key, subKey ? subKey : L"", found);
    return error == ERROR_SUCCESS ? AddKey(found, access, result) : error;
}

LONG SimHost::RegCreateKeyEx(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM access, SECURITY_ATTRIBUTES*,
                             HKEY* result, LPDWORD disposition) {
    if (!result) return ERROR_INVALID_PARAMETER;
    std::shared_ptr<SimOpenKey> from = KeyOf(key);
    if (!from) return ERROR_INVALID_HANDLE;
    if (!(from->access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
    std::shared_ptr<SimRegistry::Key> found;
    DWORD how = 0;
    LONG error = machine_.Registry().Create(from->key, subKey ? subKey : L"", found, how);
    if (error != ERROR_SUCCESS) return error;
    if (disposition) *disposition = how;
    return AddKey(found, access, result);
}

LONG SimHost::RegQueryValueEx(HKEY key, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    std::shared_ptr<SimOpenKey> open = KeyOf(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (!(open->access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    return machine_.Registry().QueryValue(*open->key, valueName ? valueName : L"", type, data, dataSize);
}

LONG SimHost::RegSetValueEx(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
    std::shared_ptr<SimOpenKey> open = KeyOf(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (!(open->access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    return machine_.Registry().SetValue(*open->key, valueName ? valueName : L"", type, data, dataSize);
}

LONG SimHost::RegEnumKeyEx(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD, LPWSTR keyClass,
                           LPDWORD classSize, FILETIME* lastWrite) {
    std::shared_ptr<SimOpenKey> open = KeyOf(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (!(open->access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
    LONG error = machine_.Registry().EnumKey(*open->key, index, name, nameSize, lastWrite);
    // Keys made here have no class.
    if (error == ERROR_SUCCESS && keyClass && classSize && *classSize > 0) keyClass[0] = 0;
    if (error == ERROR_SUCCESS && classSize) *classSize = 0;
    return error;
}

LONG SimHost::RegCloseKey(HKEY key) {
    if (machine_.Registry().Root(key)) return ERROR_SUCCESS;
    if (!handles_.Get<SimOpenKey>(reinterpret_cast<HANDLE>(key))) return ERROR_INVALID_HANDLE;
    handles_.Close(reinterpret_cast<HANDLE>(key));
    return ERROR_SUCCESS;
}
