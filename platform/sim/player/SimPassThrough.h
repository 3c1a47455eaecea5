// IOCTL_SCSI_PASS_THROUGH on the player's volume, served as the port driver
// serves it to a 32-bit program: the record is checked first, the command
// block goes to the player, and the record comes back with the SCSI status,
// the sense data and the data-in bytes in it.
#pragma once

#include "platform/WinTypes.h"

class SimPlayer;

const DWORD kSimScsiPassThrough = 0x4D004;

// The 32-bit record: 44 bytes of header, then the caller's sense and data
// buffers wherever its offsets put them.
namespace SimPassThroughField {
const DWORD kLength = 0;       // 16-bit: 44, the header's size
const DWORD kStatus = 2;       // SCSI status, returned
const DWORD kCdbLength = 6;
const DWORD kSenseLength = 7;  // room for sense data; returned: what was stored
const DWORD kDirection = 8;    // 0 data out, 1 data in, 2 unspecified
const DWORD kDataLength = 12;  // 32-bit; returned: bytes transferred
const DWORD kTimeOut = 16;     // 32-bit, seconds
const DWORD kDataOffset = 20;  // 32-bit
const DWORD kSenseOffset = 24; // 32-bit
const DWORD kCdb = 28;         // 16 bytes
const DWORD kHeaderSize = 44;
}  // namespace SimPassThroughField

const BYTE kSimDataOut = 0;
const BYTE kSimDataIn = 1;
const BYTE kSimDataUnspecified = 2;

// Runs one record. A record the driver would refuse fails with
// ERROR_INVALID_PARAMETER before the player sees it; a player that is gone,
// before or during the command, with ERROR_DEVICE_NOT_CONNECTED. A check
// condition is no failure: it comes back in the status and sense fields.
// `returned` is the part of the record written back into `out`.
DWORD SimRunPassThrough(SimPlayer& player, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned);
