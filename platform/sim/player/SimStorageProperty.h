// IOCTL_STORAGE_QUERY_PROPERTY on the player's volume or disk, answered as
// the storage class driver answers it for a USB disk: the device property
// (a STORAGE_DEVICE_DESCRIPTOR) with the identification texts the disk gave
// to INQUIRY, each a zero-terminated text at the offset its field names.
//
// The query record is 12 bytes: the property id (0, the device property),
// the query type (0 standard, 1 "does it exist") and one spare byte. The
// answer is cut to the caller's buffer, whose first 8 bytes (version and
// size) tell how large the whole descriptor is.
#pragma once

#include <string>

#include "platform/sim/SimMachine.h"

class SimPlayer;

const DWORD kSimStorageQueryProperty = 0x2D1400;

namespace SimStorageField {
const DWORD kVersion = 0;         // 32-bit
const DWORD kSize = 4;            // 32-bit: the whole descriptor, texts included
const DWORD kDeviceType = 8;      // the SCSI peripheral type
const DWORD kRemovable = 10;
const DWORD kVendorOffset = 12;   // 32-bit each; 0 for a text the disk has none of
const DWORD kProductOffset = 16;
const DWORD kRevisionOffset = 20;
const DWORD kSerialOffset = 24;
const DWORD kBusType = 28;        // 32-bit: 7 for USB
const DWORD kHeaderSize = 40;
}  // namespace SimStorageField

// The disk's INQUIRY identification; false when it does not answer.
bool SimInquireIdentity(SimPlayer& player, SimDiskIdentity& identity);

// One query: ERROR_SUCCESS with `returned` bytes in `out`, or the driver's error.
DWORD SimAnswerStorageQuery(SimPlayer& player, const void* in, DWORD inSize, void* out, DWORD outSize,
                            DWORD& returned);
