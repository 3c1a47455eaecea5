// The requests of the ASPI layer as little-endian bytes at their offsets:
// the 80-byte execute request, the 60-byte host-adapter inquiry and the
// 24-byte disk information. Buffer and event travel in 32-bit fields, as in
// the 32-bit programs the layer serves (see CVrLowBlock).
#pragma once

#include <cstdint>

#include "platform/Host.h"

class CVrByteArray;

// What SendASPI32Command and the request's status byte say.
const uint8_t kVrAspiPending = 0x00;
const uint8_t kVrAspiCompleted = 0x01;

class CVrAspiExecute {
public:
    static constexpr uint32_t kSize = 80;
    static constexpr uint32_t kSenseBytes = 14;

    // A command for target 0, unit 0 of `adapter`, with the data buffer at
    // `buffer` and event notification to `event`; the command bytes are the
    // first `commandLength` of `block` (at most 16).
    CVrAspiExecute(uint8_t adapter, bool isWrite, uint32_t length, uint32_t buffer, HANDLE event,
                   const CVrByteArray& block, uint32_t commandLength);

    uint8_t* GetBytes() { return m_bytes; }
    uint8_t GetStatus() const { return m_bytes[1]; }
    // The sense bytes when the target reported a check condition, else
    // none; returns how many were copied into `sense`.
    uint32_t GetSense(uint8_t (&sense)[kSenseBytes]) const;

private:
    uint8_t m_bytes[kSize] = {};
};

// Host-adapter inquiry of adapter 0: the layer's status and the number of adapters.
DWORD VrAspiAdapterCount(DWORD (*send)(void*), uint8_t& count);
// Disk information of target 0, unit 0 of `adapter`: the layer's status
// and the INT 13 drive number of the disk.
DWORD VrAspiInt13Drive(DWORD (*send)(void*), uint8_t adapter, uint8_t& drive);
