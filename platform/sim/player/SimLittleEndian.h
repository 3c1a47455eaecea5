// Little-endian fields of the PC's records: the pass-through record, the
// partition table, FAT boot sectors and directory entries.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

inline uint16_t SimGet16(const BYTE* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
inline uint32_t SimGet32(const BYTE* at) { return SimGet16(at) | static_cast<uint32_t>(SimGet16(at + 2)) << 16; }
inline void SimPut16(BYTE* at, uint32_t value) {
    at[0] = static_cast<BYTE>(value);
    at[1] = static_cast<BYTE>(value >> 8);
}
inline void SimPut32(BYTE* at, uint32_t value) {
    SimPut16(at, value);
    SimPut16(at + 2, value >> 16);
}
