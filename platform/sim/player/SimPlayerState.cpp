#include "platform/sim/player/SimPlayerState.h"

const SimLogicalDrive* SimPlayerState::FindDrive(uint8_t number) const {
    for (const SimLogicalDrive& drive : drives)
        if (drive.number == number) return &drive;
    return nullptr;
}

const SimLogicalDrive* SimPlayerState::DataDrive() const {
    for (const SimLogicalDrive& drive : drives)
        if (drive.type == SimLogicalDrive::kDataType) return &drive;
    return nullptr;
}

void SimPlayerState::ReadSectors(const SimLogicalDrive& drive, uint64_t first, uint64_t count, BYTE* buffer) const {
    flash.Read(drive.offset + first * drive.sectorSize, buffer, static_cast<size_t>(count * drive.sectorSize));
}

void SimPlayerState::WriteSectors(const SimLogicalDrive& drive, uint64_t first, uint64_t count, const BYTE* data) {
    flash.Write(drive.offset + first * drive.sectorSize, data, static_cast<size_t>(count * drive.sectorSize));
}

void SimPlayerState::EraseDrive(SimLogicalDrive& drive) {
    flash.Erase(drive.offset, drive.size);
    drive.componentVersion = SimVersionRecord();
    drive.productVersion = SimVersionRecord();
}

void SimPlayerState::EraseMedia() {
    flash.EraseAll();
    drives.clear();
    tableDamaged = false;
}

bool SimValidSectorSize(uint32_t size) {
    return size >= 512 && size <= 65536 && (size & (size - 1)) == 0;
}
