// The records Windows' disk and pass-through requests take are little-endian
// byte layouts; they are built byte by byte here so that both builds produce
// the same bytes whatever the compiler's structure packing.
#pragma once

#include <cstdint>

inline void VrPutLe16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

inline void VrPutLe32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void VrPutLe64(uint8_t* at, uint64_t value) {
    for (int i = 0; i < 8; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint32_t VrGetLe32(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

inline uint64_t VrGetLe64(const uint8_t* at) { return uint64_t(VrGetLe32(at)) | uint64_t(VrGetLe32(at + 4)) << 32; }
