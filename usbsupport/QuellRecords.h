// The records Quell exchanges with Windows drivers, as bytes at their
// offsets: the USB hub's node-connection record (byte-packed, as the hub
// driver keeps it) and the storage class driver's property query and
// device descriptor.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

// {F18A0E88-C30C-11D0-8815-00A0C906BED8}: the device interface class of USB hubs.
extern const GUID kQuellUsbHubClass;

// IOCTL_USB_GET_NODE_CONNECTION_INFORMATION: one port of a hub, the record
// in and out. Room for the port number, the device descriptor, the
// connection fields and 30 pipes.
const DWORD kQuellHubConnectionRequest = 0x22040C;
namespace HubConnectionField {
const DWORD kPort = 0;          // 32-bit, counted from 1
const DWORD kVendor = 12;       // 16-bit: the device descriptor's vendor identifier
const DWORD kProduct = 14;      // 16-bit: its product identifier
const DWORD kStatus = 31;       // 32-bit: 1 when a device is connected
const DWORD kRecordSize = 365;
}  // namespace HubConnectionField
const uint32_t kQuellDeviceConnected = 1;

// IOCTL_STORAGE_QUERY_PROPERTY: the standard query of the device property
// (12 bytes of zeros) answered with the device descriptor, whose texts lie
// at the offsets its fields name (0: the device has no such text).
const DWORD kQuellStorageQuery = 0x2D1400;
namespace StorageDescriptorField {
const DWORD kQuerySize = 12;
const DWORD kVendorOffset = 12;   // 32-bit
const DWORD kProductOffset = 16;  // 32-bit
const DWORD kDescriptorSize = 512;
}  // namespace StorageDescriptorField

inline uint16_t QuellGet16(const BYTE* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
inline uint32_t QuellGet32(const BYTE* at) {
    return QuellGet16(at) | static_cast<uint32_t>(QuellGet16(at + 2)) << 16;
}
inline void QuellPut32(BYTE* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<BYTE>(value >> (8 * i));
}
