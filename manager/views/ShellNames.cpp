#include "manager/views/ShellNames.h"

#include <shlwapi.h>

#include <cstring>

std::wstring ShellDisplayName(IShellFolder* folder, LPCITEMIDLIST relative, DWORD form) {
    STRRET name = {};
    if (FAILED(folder->GetDisplayNameOf(relative, form, &name))) return std::wstring();
    wchar_t text[MAX_PATH] = {};
    if (FAILED(::StrRetToBufW(&name, relative, text, MAX_PATH))) return std::wstring();
    return text;
}

HIMAGELIST SystemImageList(bool small) {
    SHFILEINFOW info = {};
    const UINT size = small ? SHGFI_SMALLICON : SHGFI_LARGEICON;
    return reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | size));
}

int SmallIconIndex(LPCITEMIDLIST absolute, bool open) {
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (!::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof info, flags)) return 0;
    return info.iIcon;
}

std::wstring ShellTypeName(LPCITEMIDLIST absolute) {
    SHFILEINFOW info = {};
    if (!::SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_TYPENAME)) {
        return std::wstring();
    }
    return info.szTypeName;
}

bool ShellFindData(IShellFolder* folder, LPCITEMIDLIST relative, WIN32_FIND_DATAW& data) {
    return SUCCEEDED(::SHGetDataFromIDListW(folder, relative, SHGDFIL_FINDDATA, &data, sizeof data));
}

bool EnumerateShellChildren(IShellFolder* folder, HWND owner, DWORD flags,
                            const std::function<void(LPITEMIDLIST child)>& take) {
    IEnumIDList* children = nullptr;
    // S_FALSE: a folder with nothing to show.
    if (folder->EnumObjects(owner, flags, &children) != S_OK || !children) return false;
    LPITEMIDLIST child = nullptr;
    ULONG fetched = 0;
    while (children->Next(1, &child, &fetched) == S_OK && fetched == 1) take(child);
    children->Release();
    return true;
}

bool SameItemId(LPCITEMIDLIST first, LPCITEMIDLIST second) {
    if (!first || !second) return false;
    const USHORT size = first->mkid.cb;
    return size == second->mkid.cb && std::memcmp(first, second, size) == 0;
}
