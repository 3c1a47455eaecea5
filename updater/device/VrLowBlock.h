// A zeroed block of memory that other code reaches by its 32-bit address:
// the data buffer of an ASPI request, the parameter block of a DOS request.
// It comes from the host's GlobalAlloc, so its address fits the records'
// 32-bit fields on every build; a block whose address would not fit counts
// as memory that could not be had.
#pragma once

#include <cstdint>

#include "platform/Host.h"

class CVrLowBlock {
public:
    CVrLowBlock(Host& host, uint32_t bytes) : m_host(host) {
        m_block = static_cast<uint8_t*>(host.GlobalAlloc(GPTR, bytes ? bytes : 1));
        if (!m_block) {
            m_error = host.GetLastError();
        } else if (reinterpret_cast<uintptr_t>(m_block) > 0xFFFFFFFFu) {
            host.GlobalFree(m_block);
            m_block = nullptr;
            m_error = ERROR_NOT_ENOUGH_MEMORY;
        }
    }
    ~CVrLowBlock() {
        if (m_block) m_host.GlobalFree(m_block);
    }
    CVrLowBlock(const CVrLowBlock&) = delete;
    CVrLowBlock& operator=(const CVrLowBlock&) = delete;

    // Null when the block could not be had; GetError then tells why.
    uint8_t* Get() const { return m_block; }
    uint32_t Address() const { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_block)); }
    DWORD GetError() const { return m_error; }

private:
    Host& m_host;
    uint8_t* m_block = nullptr;
    DWORD m_error = 0;
};
