#include "platform/sim/player/SimSense.h"

SimSense SimSense::DeviceStatus(uint16_t code) {
    return {kVendorSpecific, static_cast<BYTE>(code >> 8), static_cast<BYTE>(code & 0xFF)};
}

std::vector<BYTE> SimSense::Bytes() const {
    std::vector<BYTE> bytes(18, 0);
    bytes[0] = 0x70;
    bytes[2] = key;
    bytes[7] = 10;
    bytes[12] = asc;
    bytes[13] = ascq;
    return bytes;
}

