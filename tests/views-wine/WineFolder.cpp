#include "tests/views-wine/WineFolder.h"

#include <shellapi.h>

WineFolder::WineFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    wchar_t name[MAX_PATH] = {};
    ::GetTempFileNameW(temp, L"vrv", 0, name);
    ::DeleteFileW(name);
    ::CreateDirectoryW(name, nullptr);
    m_path = name;
}

WineFolder::~WineFolder() {
    std::wstring from = m_path;
    from.push_back(L'\0');  // the list of paths ends with an empty one
    SHFILEOPSTRUCTW remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&remove);
}

void WineFolder::Write(const std::wstring& name, uint64_t bytes) const {
    HANDLE file = ::CreateFileW((m_path + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(bytes);
    ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file);
    ::CloseHandle(file);
}

void WineFolder::Folder(const std::wstring& name) const { ::CreateDirectoryW((m_path + L"\\" + name).c_str(), nullptr); }
