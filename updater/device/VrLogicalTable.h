// The player's logical table: the drives it divides its flash into. An entry
// is 11 bytes on the wire (drive number, type, tag, 64-bit big-endian size);
// a table is a 16-bit count and up to 10 entries.
#pragma once

#include <cstdint>

const uint8_t kVrMaxLogicalDrives = 10;
const uint8_t kVrNoDriveNumber = 255;  // an entry the player has not (yet) numbered
const uint8_t kVrDataDriveType = 0;
const uint8_t kVrSystemDriveType = 1;
const uint8_t kVrDataDriveTag = 0x0A;
const uint32_t kVrLogicalEntryBytes = 11;

struct VrLogicalTableEntry {
    uint8_t driveNumber = kVrNoDriveNumber;
    uint8_t driveType = kVrDataDriveType;
    uint8_t driveTag = 0;
    uint64_t size = 0;  // bytes
};

struct VrLogicalTable {
    uint16_t count = 0;
    VrLogicalTableEntry entries[kVrMaxLogicalDrives];
};
