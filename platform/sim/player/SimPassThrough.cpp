#include "platform/sim/player/SimPassThrough.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sim/player/SimLittleEndian.h"
#include "platform/sim/player/SimPlayer.h"

using namespace SimPassThroughField;

namespace {

bool ValidCdbLength(DWORD length) { return length == 6 || length == 10 || length == 12 || length == 16; }

// A buffer the record names lies wholly inside the caller's buffer, past the header.
bool Inside(DWORD offset, DWORD length, DWORD bufferSize) {
    return length == 0 || (offset >= kHeaderSize && uint64_t(offset) + length <= bufferSize);
}

}  // namespace

DWORD SimRunPassThrough(SimPlayer& player, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) {
    returned = 0;
    if (!player.Connected()) return ERROR_DEVICE_NOT_CONNECTED;
    if (!in || !out || inSize < kHeaderSize || outSize < kHeaderSize) return ERROR_INVALID_PARAMETER;
    // Buffered I/O: the driver works on one system buffer that starts as the
    // input and goes back to the caller as far as it reports.
    std::vector<BYTE> record(std::max(inSize, outSize), 0);
    std::memcpy(record.data(), in, inSize);
    BYTE* at = record.data();
    DWORD cdbLength = at[kCdbLength];
    DWORD senseLength = at[kSenseLength];
    BYTE direction = at[kDirection];
    DWORD dataLength = SimGet32(at + kDataLength);
    DWORD dataOffset = SimGet32(at + kDataOffset);
    DWORD senseOffset = SimGet32(at + kSenseOffset);
    bool directionOk = direction == kSimDataOut || direction == kSimDataIn ||
                       (direction == kSimDataUnspecified && dataLength == 0);
    if (SimGet16(at + kLength) != kHeaderSize || !ValidCdbLength(cdbLength) || !directionOk ||
        !Inside(dataOffset, dataLength, direction == kSimDataOut ? inSize : outSize) ||
        !Inside(senseOffset, senseLength, outSize)) {
        return ERROR_INVALID_PARAMETER;
    }

    const BYTE* dataOut = direction == kSimDataOut && dataLength ? at + dataOffset : nullptr;
    BYTE* dataIn = direction == kSimDataIn && dataLength ? at + dataOffset : nullptr;
    SimScsiStatus status = player.Execute(at + kCdb, cdbLength, dataOut, dataOut ? dataLength : 0, dataIn,
                                          dataIn ? dataLength : 0);
    if (!player.Connected()) return ERROR_DEVICE_NOT_CONNECTED;

    bool good = status.status == SimScsiStatus::kGood;
    DWORD senseStored = good ? 0 : std::min<DWORD>(senseLength, static_cast<DWORD>(status.sense.size()));
    if (senseStored) std::memcpy(at + senseOffset, status.sense.data(), senseStored);
    at[kStatus] = status.status;
    at[kSenseLength] = static_cast<BYTE>(senseStored);
    DWORD transferred = dataIn ? std::min(status.dataIn, dataLength) : dataOut && good ? dataLength : 0;
    SimPut32(at + kDataLength, transferred);

    returned = kHeaderSize;
    if (senseStored) returned = std::max(returned, senseOffset + senseStored);
    if (dataIn && transferred) returned = std::max(returned, dataOffset + transferred);
    std::memcpy(out, at, returned);
    return ERROR_SUCCESS;
}
