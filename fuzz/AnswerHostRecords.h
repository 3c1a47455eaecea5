// What the answering host's parts share: its stand-in handle, the records
// of the ASPI layer and "\\.\vwin32" it fills, and reading the tape's numbers.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

// What the replaying host hands out for whatever it opens: a value no
// simulated object has, so a handle of the PC's is never mistaken for it.
HANDLE const kStandIn = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x7A5E0000));

// The DOS request's register record, and where EDX lies in it.
const DWORD kDosRegisterBytes = 28;
const DWORD kDosEdx = 4;
// The largest parameter block a DOS request answers with (the device parameters).
const uint32_t kLargestDosBlock = 64;

inline uint32_t Le32(const uint8_t* at) { return at[0] | at[1] << 8 | at[2] << 16 | uint32_t(at[3]) << 24; }
