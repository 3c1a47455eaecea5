#include "platform/sim/player/SimVendorCommands.h"

namespace {

struct SectorRun {
    SimLogicalDrive* drive = nullptr;
    uint64_t first = 0;
    uint64_t count = 0;
};

// The run the block names, checked against its drive and against the bytes
// the PC moves (`transferred`): a PC that took the wrong sector size for the
// drive is caught here. Returns 0 or the status code refusing it.
uint16_t FindRun(SimPlayerState& state, const SimCommand& command, size_t transferred, SectorRun& run) {
    run.drive = state.FindDrive(command.cdb[2]);
    if (!run.drive) return SimStatus::kInvalidDriveNumber;
    run.first = SimGetBigEndian(command.cdb + 3, 8);
    run.count = SimGetBigEndian(command.cdb + 11, 4);
    const uint64_t sectors = run.drive->SectorCount();
    if (run.count == 0) return SimStatus::kInvalidSectorCount;
    if (run.first >= sectors) return SimStatus::kSectorBeyondDrive;
    if (run.count > sectors - run.first) return SimStatus::kCountBeyondDrive;
    if (transferred != run.count * run.drive->sectorSize) return SimStatus::kTransferLengthMismatch;
    return 0;
}

}  // namespace

SimScsiStatus SimReadDriveSectors(SimPlayerState& state, const SimCommand& command) {
    SectorRun run;
    if (uint16_t refused = FindRun(state, command, command.dataInCapacity, run)) return SimRefuseWithStatus(refused);
    state.ReadSectors(*run.drive, run.first, run.count, command.dataIn);
    return SimGood(command.dataInCapacity);
}

SimScsiStatus SimWriteDriveSectors(SimPlayerState& state, const SimCommand& command) {
    SectorRun run;
    if (uint16_t refused = FindRun(state, command, command.dataOutLength, run)) return SimRefuseWithStatus(refused);
    state.WriteSectors(*run.drive, run.first, run.count, command.dataOut);
    return SimGood();
}
