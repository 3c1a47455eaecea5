// The DOS generic block-device request (interrupt 21h, function 440Dh) as a
// Windows 95, 98 or Me program makes it: through "\\.\vwin32" with control
// code 1 and the 28-byte register record (EBX, EDX, ECX, EAX, EDI, ESI,
// flags, each 32-bit little-endian). The request succeeded when the control
// call did and the carry flag of the returned record is clear.
#pragma once

#include <cstdint>

#include "platform/Host.h"

// Categories: 0x48 is the form that knows FAT32 volumes, 0x08 the old one.
const uint8_t kVrDosFat32Category = 0x48;
const uint8_t kVrDosCategory = 0x08;

struct VrDosRequest {
    uint8_t drive = 0;  // 1 = A; the lock level (BH) is 0
    uint8_t minor = 0;
    uint32_t edx = 0;   // the permissions of a lock, or a parameter block's 32-bit address
};

// Makes `request` with category 0x48 and, if that fails, once more with
// 0x08; with `fallback` false, with 0x08 alone. The carry flag is preset, so
// a request that was not carried out never reads as done. On failure
// `error` is the control call's system error or the DOS error code.
bool VrDosBlockRequest(Host& host, HANDLE vwin32, const VrDosRequest& request, bool fallback, DWORD& error);
