// What the player says when it refuses a command: the sense key and the
// additional sense code of fixed-format sense data. The player's own reasons
// travel as a device status code under the vendor-specific sense key, where
// the updater looks a message up by that code; plain SCSI refusals (an
// operation code it does not know, a block address past the medium) use the
// standard keys.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/WinTypes.h"

struct SimSense {
    static constexpr BYTE kNotReady = 0x02;
    static constexpr BYTE kIllegalRequest = 0x05;
    static constexpr BYTE kVendorSpecific = 0x09;

    BYTE key = 0;
    BYTE asc = 0;
    BYTE ascq = 0;

    // Sense key 9 with the 16-bit status code big-endian in bytes 12-13.
    static SimSense DeviceStatus(uint16_t code);
    static SimSense InvalidOperationCode() { return {kIllegalRequest, 0x20, 0x00}; }
    static SimSense InvalidFieldInCdb() { return {kIllegalRequest, 0x24, 0x00}; }
    static SimSense BlockAddressOutOfRange() { return {kIllegalRequest, 0x21, 0x00}; }
    static SimSense MediumNotPresent() { return {kNotReady, 0x3A, 0x00}; }

    // 18 bytes: response code 0x70, the key in byte 2, additional length 10
    // in byte 7, the code and qualifier in bytes 12-13.
    std::vector<BYTE> Bytes() const;

    bool operator==(const SimSense& other) const {
        return key == other.key && asc == other.asc && ascq == other.ascq;
    }
};

// Device status codes the player reports; the updater's language libraries
// hold a message for each.
namespace SimStatus {
const uint16_t kUnknownCommand = 0x101;
const uint16_t kInvalidDriveNumber = 0x103;
const uint16_t kInvalidInfoType = 0x104;
const uint16_t kInvalidSectorCount = 0x106;
const uint16_t kTransferLengthMismatch = 0x107;
const uint16_t kInvalidData = 0x10A;
const uint16_t kTableDamaged = 0x201;
const uint16_t kTooManyDrives = 0x202;
const uint16_t kAllocationEmpty = 0x203;
const uint16_t kTagTwice = 0x204;
const uint16_t kUnknownDriveType = 0x205;
const uint16_t kDrivesDoNotFit = 0x206;
const uint16_t kZeroSizeDrive = 0x207;
const uint16_t kMediaNotErased = 0x209;
const uint16_t kSectorBeyondDrive = 0x504;
const uint16_t kCountBeyondDrive = 0x505;
const uint16_t kInfoNotWritable = 0x50F;
}  // namespace SimStatus
