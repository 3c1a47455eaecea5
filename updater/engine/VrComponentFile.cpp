#include "updater/engine/VrComponentFile.h"

namespace {

// Longer than MAX_PATH: a program started through a long "\\?\" path still
// finds its files.
const DWORD kModulePathChars = 1024;

}  // namespace

std::wstring CVrComponentFile::ProgramFolder() {
    wchar_t path[kModulePathChars] = {};
    DWORD length = m_host.GetModuleFileName(nullptr, path, kModulePathChars);
    if (length >= kModulePathChars) length = kModulePathChars - 1;
    std::wstring folder(path, length);
    size_t separator = folder.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : folder.substr(0, separator + 1);
}

bool CVrComponentFile::Open(const std::string& fileName) {
    Close();
    // The configured names are plain ASCII; each byte is one character.
    std::wstring path = ProgramFolder();
    for (char c : fileName) path += static_cast<wchar_t>(static_cast<unsigned char>(c));
    m_handle = m_host.CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_handle != INVALID_HANDLE_VALUE || Fail();
}

void CVrComponentFile::Close() {
    if (m_handle == INVALID_HANDLE_VALUE) return;
    m_host.CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
}

bool CVrComponentFile::GetSize(uint64_t& size) {
    LONG high = 0;
    m_host.SetLastError(ERROR_SUCCESS);
    DWORD low = m_host.SetFilePointer(m_handle, 0, &high, FILE_END);
    if (low == INVALID_SET_FILE_POINTER && m_host.GetLastError() != ERROR_SUCCESS) return Fail();
    size = (static_cast<uint64_t>(static_cast<DWORD>(high)) << 32) | low;
    return true;
}

bool CVrComponentFile::Seek(uint64_t offset) {
    LONG high = static_cast<LONG>(offset >> 32);
    m_host.SetLastError(ERROR_SUCCESS);
    DWORD low = m_host.SetFilePointer(m_handle, static_cast<LONG>(static_cast<DWORD>(offset)), &high, FILE_BEGIN);
    return low != INVALID_SET_FILE_POINTER || m_host.GetLastError() == ERROR_SUCCESS || Fail();
}

bool CVrComponentFile::Read(void* buffer, uint32_t size, uint32_t& read) {
    DWORD done = 0;
    BOOL ok = m_host.ReadFile(m_handle, buffer, size, &done, nullptr);
    read = done;
    return ok || Fail();
}

bool CVrComponentFile::ReadExactly(void* buffer, uint32_t size) {
    uint32_t read = 0;
    if (!Read(buffer, size, read)) return false;
    if (read == size) return true;
    m_systemError = ERROR_HANDLE_EOF;
    return false;
}

bool CVrComponentFile::Fail() {
    m_systemError = m_host.GetLastError();
    return false;
}
