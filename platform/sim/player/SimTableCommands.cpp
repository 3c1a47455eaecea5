#include <algorithm>
#include <vector>

#include "platform/sim/player/SimAllocation.h"
#include "platform/sim/player/SimVendorCommands.h"

namespace {

const size_t kEntryLength = 11;
const size_t kSentEntryLength = 10;  // the drive number is the player's to give

}  // namespace

SimScsiStatus SimGetLogicalTable(SimPlayerState& state, const SimCommand& command) {
    if (state.tableDamaged) return SimRefuseWithStatus(SimStatus::kTableDamaged);
    const size_t count = std::min<size_t>(state.drives.size(), command.cdb[2]);
    std::vector<BYTE> reply(2 + kEntryLength * count);
    SimPutBigEndian(reply.data(), count, 2);
    for (size_t i = 0; i < count; ++i) {
        const SimLogicalDrive& drive = state.drives[i];
        BYTE* entry = reply.data() + 2 + kEntryLength * i;
        entry[0] = drive.number;
        entry[1] = drive.type;
        entry[2] = drive.tag;
        SimPutBigEndian(entry + 3, drive.size, 8);
    }
    return SimAnswer(command, reply.data(), reply.size());
}

SimScsiStatus SimAllocateLogicalMedia(SimPlayerState& state, const SimCommand& command) {
    const size_t count = command.cdb[2];
    if (command.dataOutLength != kEntryLength * count)
        return SimRefuseWithStatus(SimStatus::kTransferLengthMismatch);
    const BYTE* tail = command.dataOut + kSentEntryLength * count;
    if (std::any_of(tail, tail + count, [](BYTE b) { return b != 0; }))
        return SimRefuseWithStatus(SimStatus::kInvalidData);

    std::vector<SimAllocationEntry> entries(count);
    for (size_t i = 0; i < count; ++i) {
        const BYTE* sent = command.dataOut + kSentEntryLength * i;
        entries[i].type = sent[0];
        entries[i].tag = sent[1];
        entries[i].size = SimGetBigEndian(sent + 2, 8);
    }
    if (uint16_t refused = SimAllocateDrives(state, entries)) return SimRefuseWithStatus(refused);
    return SimGood();
}

SimScsiStatus SimEraseLogicalMedia(SimPlayerState& state) {
    state.EraseMedia();
    return SimGood();
}
