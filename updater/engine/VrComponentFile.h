// A firmware component file in the program's folder, opened for reading
// through the host. Caddis finds its component files beside itself, not in
// the current folder, so that a start from a shortcut elsewhere still works.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Host.h"

class CVrComponentFile {
public:
    explicit CVrComponentFile(Host& host) : m_host(host) {}
    ~CVrComponentFile() { Close(); }
    CVrComponentFile(const CVrComponentFile&) = delete;
    CVrComponentFile& operator=(const CVrComponentFile&) = delete;

    // Opens `fileName` of the program's folder; false, with the system error
    // kept, when Windows refuses.
    bool Open(const std::string& fileName);
    void Close();

    bool GetSize(uint64_t& size);
    bool Seek(uint64_t offset);
    // Up to `size` bytes from the current position; `read` is 0 at the end.
    bool Read(void* buffer, uint32_t size, uint32_t& read);
    // Exactly `size` bytes in one request, or false.
    bool ReadExactly(void* buffer, uint32_t size);

    // The system error of the last call that failed.
    DWORD GetSystemError() const { return m_systemError; }

private:
    bool Fail();
    std::wstring ProgramFolder();

    Host& m_host;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    DWORD m_systemError = 0;
};
