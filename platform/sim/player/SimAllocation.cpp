#include "platform/sim/player/SimAllocation.h"

#include "platform/sim/player/SimSense.h"

namespace {

uint64_t RoundUp(uint64_t size, uint32_t sector) { return (size + sector - 1) / sector * sector; }

// Each entry on its own: a known type, a size, at most one data drive and a
// system tag used once.
uint16_t CheckEntries(const std::vector<SimAllocationEntry>& entries) {
    bool dataDrive = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        const SimAllocationEntry& entry = entries[i];
        if (entry.type == SimLogicalDrive::kDataType) {
            if (dataDrive) return SimStatus::kInvalidData;
            dataDrive = true;
            continue;
        }
        if (entry.type != SimLogicalDrive::kSystemType) return SimStatus::kUnknownDriveType;
        if (entry.size == 0) return SimStatus::kZeroSizeDrive;
        for (size_t j = 0; j < i; ++j)
            if (entries[j].type == SimLogicalDrive::kSystemType && entries[j].tag == entry.tag)
                return SimStatus::kTagTwice;
    }
    return 0;
}

}  // namespace

uint16_t SimAllocateDrives(SimPlayerState& state, const std::vector<SimAllocationEntry>& entries) {
    if (entries.empty()) return SimStatus::kAllocationEmpty;
    if (entries.size() > SimPlayerState::kMaxDrives) return SimStatus::kTooManyDrives;
    if (!state.drives.empty()) return SimStatus::kMediaNotErased;
    if (uint16_t refused = CheckEntries(entries)) return refused;

    const uint64_t flash = state.flash.Size();
    std::vector<SimLogicalDrive> drives(entries.size());
    uint64_t used = 0;
    SimLogicalDrive* rest = nullptr;
    for (size_t i = 0; i < entries.size(); ++i) {
        const SimAllocationEntry& entry = entries[i];
        SimLogicalDrive& drive = drives[i];
        drive.number = static_cast<uint8_t>(i);
        drive.type = entry.type;
        drive.tag = entry.tag;
        drive.sectorSize = entry.type == SimLogicalDrive::kDataType ? state.dataSectorSize : state.systemSectorSize;
        if (entry.size > flash) return SimStatus::kDrivesDoNotFit;
        drive.size = RoundUp(entry.size, drive.sectorSize);
        if (entry.size == 0) rest = &drive;
        used += drive.size;
        if (used > flash) return SimStatus::kDrivesDoNotFit;
    }
    if (rest) {
        rest->size = (flash - used) / rest->sectorSize * rest->sectorSize;
        if (rest->size == 0) return SimStatus::kDrivesDoNotFit;
    }
    uint64_t offset = 0;
    for (SimLogicalDrive& drive : drives) {
        drive.offset = offset;
        offset += drive.size;
    }
    state.drives = std::move(drives);
    return 0;
}
