// The player's replies: the first byte picks the request, the rest is what
// the player answered. A reply that reads as good held every byte read from
// it, and a logical table that is accepted encodes back to the reply.
#include <cstdint>

#include "fuzz/FuzzInput.h"
#include "fuzz/PlayerRequests.h"
#include "updater/device/VrStandardCommands.h"
#include "updater/device/VrVendorQueries.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrVersionInfo.h"

namespace {

// Hands the command the reply as the transport does; the command's result.
int32_t Store(CVrScsiCommand& command, const uint8_t* data, size_t size) {
    CVrByteArray reply(static_cast<uint32_t>(size));
    if (size) reply.SetBytes(data, static_cast<uint32_t>(size), 0);
    return command.StoreReply(reply);
}

uint64_t BigEndian(const uint8_t* at, int width) {
    uint64_t value = 0;
    for (int i = 0; i < width; ++i) value = value << 8 | at[i];
    return value;
}

void CheckLogicalTable(const uint8_t* reply, size_t size) {
    CVrGetLogicalTable command;
    if (Store(command, reply, size) != kVrOk) return;
    VrLogicalTable table;
    command.GetTable(table);
    FUZZ_CHECK(table.count <= kVrMaxLogicalDrives && size >= 2 + kVrLogicalEntryBytes * table.count);
    FUZZ_CHECK(table.count == BigEndian(reply, 2));
    for (uint16_t i = 0; i < table.count; ++i) {
        const uint8_t* entry = reply + 2 + kVrLogicalEntryBytes * i;
        const VrLogicalTableEntry& read = table.entries[i];
        FUZZ_CHECK(read.driveNumber == entry[0] && read.driveType == entry[1] && read.driveTag == entry[2]);
        FUZZ_CHECK(read.size == BigEndian(entry + 3, 8));
    }
}

// A field reader that answers good must have had `needed` bytes.
void CheckField(int32_t result, size_t size, size_t needed) {
    FUZZ_CHECK(result != kVrOk || size >= needed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t* reply = data + 1;
    const size_t length = size - 1;
    switch (static_cast<PlayerRequest>(data[0] % kPlayerRequestCount)) {
        case PlayerRequest::kLogicalTable:
            CheckLogicalTable(reply, length);
            break;
        case PlayerRequest::kSectorSize: {
            CVrGetLogicalDriveInfo command(0, CVrGetLogicalDriveInfo::kSectorSize, 4);
            Store(command, reply, length);
            uint32_t sectorSize = 0;
            CheckField(command.GetSectorSize(sectorSize), length, 4);
            break;
        }
        case PlayerRequest::kDriveVersion: {
            CVrGetLogicalDriveInfo command(0, CVrGetLogicalDriveInfo::kComponentVersion, 6);
            Store(command, reply, length);
            CVrVersionInfo version;
            CheckField(command.GetVersion(version), length, 6);
            break;
        }
        case PlayerRequest::kMediaSize: {
            CVrGetLogicalMediaInfo command(CVrGetLogicalMediaInfo::kMediaSize, 8);
            Store(command, reply, length);
            uint64_t bytes = 0;
            CheckField(command.GetMediaSize(bytes), length, 8);
            break;
        }
        case PlayerRequest::kIsPlayer: {
            CVrGetLogicalMediaInfo command(CVrGetLogicalMediaInfo::kIsPlayer, 1);
            Store(command, reply, length);
            bool player = false;
            CheckField(command.IsPlayer(player), length, 1);
            break;
        }
        case PlayerRequest::kInquiry: {
            CVrScsiInquiry command;
            Store(command, reply, length);
            uint8_t inquiry[CVrScsiInquiry::kReplyBytes];
            CheckField(command.GetInquiryData(inquiry), length, CVrScsiInquiry::kReplyBytes);
            break;
        }
        case PlayerRequest::kCapacity: {
            CVrReadCapacity command;
            Store(command, reply, length);
            uint32_t lastBlock = 0, blockLength = 0;
            CheckField(command.GetCapacity(lastBlock, blockLength), length, 8);
            break;
        }
        case PlayerRequest::kChipRevision: {
            CVrGetChipMajorRevId command;
            Store(command, reply, length);
            uint16_t revision = 0;
            CheckField(command.GetRevision(revision), length, 2);
            break;
        }
    }
    return 0;
}
