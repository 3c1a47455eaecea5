// The standard SCSI commands: the player's identity and the data drive as the
// unit's medium, in that drive's own sectors.
#include <algorithm>
#include <cstring>

#include "platform/sim/player/SimCommand.h"

namespace {

const BYTE kInquiry = 0x12;
const BYTE kReadCapacity = 0x25;
const BYTE kRead10 = 0x28;
const BYTE kWrite10 = 0x2A;

const size_t kInquiryLength = 96;

void PutText(BYTE* field, const std::string& text, size_t width) {
    std::memset(field, ' ', width);
    std::memcpy(field, text.data(), std::min(text.size(), width));
}

SimScsiStatus Inquiry(const SimPlayerState& state, const SimCommand& command) {
    BYTE data[kInquiryLength] = {};
    data[1] = 0x80;  // removable medium; peripheral type 0, a direct-access unit
    data[2] = 0x02;  // the SCSI-2 command set
    data[3] = 0x02;  // response data format
    data[4] = kInquiryLength - 5;
    PutText(data + 8, state.identity.vendor, 8);
    PutText(data + 16, state.identity.product, 16);
    PutText(data + 32, state.identity.revision, 4);
    size_t allocation = static_cast<size_t>(SimGetBigEndian(command.cdb + 3, 2));
    return SimAnswer(command, data, std::min(kInquiryLength, allocation));
}

SimScsiStatus ReadCapacity(SimPlayerState& state, const SimCommand& command) {
    const SimLogicalDrive* medium = state.DataDrive();
    if (!medium) return SimRefuse(SimSense::MediumNotPresent());
    BYTE data[8];
    // A medium beyond 32-bit block addresses answers all ones, as SCSI has it.
    SimPutBigEndian(data, std::min<uint64_t>(medium->SectorCount() - 1, 0xFFFFFFFF), 4);
    SimPutBigEndian(data + 4, medium->sectorSize, 4);
    return SimAnswer(command, data, sizeof data);
}

SimScsiStatus Transfer(SimPlayerState& state, const SimCommand& command, bool write) {
    const SimLogicalDrive* medium = state.DataDrive();
    if (!medium) return SimRefuse(SimSense::MediumNotPresent());
    uint64_t first = SimGetBigEndian(command.cdb + 2, 4);
    uint64_t count = SimGetBigEndian(command.cdb + 7, 2);
    if (first + count > medium->SectorCount()) return SimRefuse(SimSense::BlockAddressOutOfRange());
    uint64_t length = count * medium->sectorSize;
    if ((write ? command.dataOutLength : command.dataInCapacity) != length)
        return SimRefuseWithStatus(SimStatus::kTransferLengthMismatch);
    if (write) {
        state.WriteSectors(*medium, first, count, command.dataOut);
        return SimGood();
    }
    state.ReadSectors(*medium, first, count, command.dataIn);
    return SimGood(static_cast<size_t>(length));
}

}  // namespace

SimScsiStatus SimServeStandardCommand(SimPlayerState& state, const SimCommand& command) {
    const BYTE operation = command.cdb[0];
    if (operation != kInquiry && operation != kReadCapacity && operation != kRead10 && operation != kWrite10)
        return SimRefuse(SimSense::InvalidOperationCode());
    if (command.cdbLength < (operation == kInquiry ? 6u : 10u)) return SimRefuse(SimSense::InvalidFieldInCdb());
    if (operation == kInquiry) return Inquiry(state, command);
    if (operation == kReadCapacity) return ReadCapacity(state, command);
    return Transfer(state, command, operation == kWrite10);
}
