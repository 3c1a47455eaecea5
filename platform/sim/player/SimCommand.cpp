#include "platform/sim/player/SimCommand.h"

#include <algorithm>
#include <cstring>

namespace {

const BYTE kVendorRead = 0xC0;
const BYTE kVendorChange = 0xC1;
const BYTE kWrite10 = 0x2A;
const size_t kVendorBlockLength = 16;
const BYTE kAllocate = 0x06;
const BYTE kWriteDriveSectors = 0x23;

// Only these commands have data to send; any other that arrives with some
// was built wrong by the PC. Vendor blocks are whole here.
bool SendsData(const SimCommand& command) {
    BYTE operation = command.cdb[0];
    if (operation == kWrite10) return true;
    return operation == kVendorChange && (command.cdb[1] == kAllocate || command.cdb[1] == kWriteDriveSectors);
}

}  // namespace

SimScsiStatus SimServeCommand(SimPlayerState& state, const SimCommand& command) {
    if (command.cdbLength == 0) return SimRefuse(SimSense::InvalidOperationCode());
    const bool vendor = command.cdb[0] == kVendorRead || command.cdb[0] == kVendorChange;
    if (vendor && command.cdbLength < kVendorBlockLength) return SimRefuse(SimSense::InvalidFieldInCdb());
    if (command.dataOutLength != 0 && !SendsData(command))
        return SimRefuseWithStatus(SimStatus::kTransferLengthMismatch);
    return vendor ? SimServeVendorCommand(state, command) : SimServeStandardCommand(state, command);
}

uint64_t SimGetBigEndian(const BYTE* bytes, size_t width) {
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) value = value << 8 | bytes[i];
    return value;
}

void SimPutBigEndian(BYTE* bytes, uint64_t value, size_t width) {
    for (size_t i = width; i-- > 0; value >>= 8) bytes[i] = static_cast<BYTE>(value & 0xFF);
}

SimScsiStatus SimRefuse(const SimSense& sense) {
    SimScsiStatus status;
    status.status = SimScsiStatus::kCheckCondition;
    status.sense = sense.Bytes();
    return status;
}

SimScsiStatus SimRefuseWithStatus(uint16_t code) { return SimRefuse(SimSense::DeviceStatus(code)); }

SimScsiStatus SimGood(size_t dataIn) {
    SimScsiStatus status;
    status.dataIn = static_cast<DWORD>(dataIn);
    return status;
}

SimScsiStatus SimAnswer(const SimCommand& command, const BYTE* reply, size_t length) {
    size_t answered = std::min(length, command.dataInCapacity);
    if (answered == 0) return SimGood();
    if (reply)
        std::memcpy(command.dataIn, reply, answered);
    else
        std::memset(command.dataIn, 0, answered);
    return SimGood(answered);
}
