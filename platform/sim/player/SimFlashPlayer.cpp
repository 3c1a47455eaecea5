#include "platform/sim/player/SimFlashPlayer.h"

#include "platform/sim/player/SimCommand.h"
#include "platform/sim/player/SimStateFile.h"

namespace {

const BYTE kRead10 = 0x28;
const BYTE kWrite10 = 0x2A;
const BYTE kVendorRead = 0xC0;
const BYTE kReadDriveSectors = 0x13;

// The drive a sector read addresses, or null for any other command.
const SimLogicalDrive* DriveRead(const SimPlayerState& state, const BYTE* cdb, size_t cdbLength) {
    if (cdb[0] == kRead10) return state.DataDrive();
    if (cdb[0] == kVendorRead && cdbLength > 2 && cdb[1] == kReadDriveSectors) return state.FindDrive(cdb[2]);
    return nullptr;
}

}  // namespace

SimFlashPlayer::SimFlashPlayer(SimPlayerState state) : state_(std::move(state)) {}

SimScsiStatus SimFlashPlayer::Execute(const BYTE* cdb, size_t cdbLength, const BYTE* dataOut, size_t dataOutLength,
                                      BYTE* dataIn, size_t dataInCapacity) {
    std::lock_guard<std::mutex> serving(serving_);
    SimAdmission admission = faults_.Admit(cdbLength > 0 ? cdb[0] : 0, cdbLength > 1 ? cdb[1] : 0);
    if (admission.verdict != SimAdmission::kServe) return SimRefuse(admission.sense);

    SimCommand command;
    command.cdb = cdb;
    command.cdbLength = cdbLength;
    command.dataOut = dataOut;
    command.dataOutLength = dataOutLength;
    command.dataIn = dataIn;
    command.dataInCapacity = dataInCapacity;
    SimScsiStatus status = SimServeCommand(state_, command);
    if (status.status == SimScsiStatus::kGood)
        if (const SimLogicalDrive* drive = DriveRead(state_, cdb, cdbLength))
            CorruptIfWatched(*drive, dataIn, status.dataIn);
    return status;
}

uint32_t SimFlashPlayer::MediumSectorSize() const {
    std::lock_guard<std::mutex> serving(serving_);
    const SimLogicalDrive* medium = state_.DataDrive();
    return medium ? medium->sectorSize : state_.dataSectorSize;
}

uint64_t SimFlashPlayer::MediumSectorCount() const {
    std::lock_guard<std::mutex> serving(serving_);
    const SimLogicalDrive* medium = state_.DataDrive();
    return medium ? medium->SectorCount() : 0;
}

DWORD SimFlashPlayer::ReadMedium(uint64_t firstSector, uint32_t count, BYTE* buffer) {
    std::lock_guard<std::mutex> serving(serving_);
    const SimLogicalDrive* medium = nullptr;
    DWORD error = BeginMediumTransfer(kRead10, firstSector, count, medium);
    if (error != ERROR_SUCCESS) return error;
    state_.ReadSectors(*medium, firstSector, count, buffer);
    CorruptIfWatched(*medium, buffer, static_cast<size_t>(count) * medium->sectorSize);
    return ERROR_SUCCESS;
}

DWORD SimFlashPlayer::WriteMedium(uint64_t firstSector, uint32_t count, const BYTE* buffer) {
    std::lock_guard<std::mutex> serving(serving_);
    const SimLogicalDrive* medium = nullptr;
    DWORD error = BeginMediumTransfer(kWrite10, firstSector, count, medium);
    if (error != ERROR_SUCCESS) return error;
    state_.WriteSectors(*medium, firstSector, count, buffer);
    return ERROR_SUCCESS;
}

void SimFlashPlayer::WithState(const std::function<void(SimPlayerState&)>& change) {
    std::lock_guard<std::mutex> serving(serving_);
    change(state_);
}

std::string SimFlashPlayer::Save(const std::filesystem::path& file) const {
    std::lock_guard<std::mutex> serving(serving_);
    return SimSavePlayerState(state_, file);
}

DWORD SimFlashPlayer::BeginMediumTransfer(BYTE operationCode, uint64_t firstSector, uint32_t count,
                                          const SimLogicalDrive*& medium) {
    SimAdmission admission = faults_.Admit(operationCode, 0);
    if (admission.verdict == SimAdmission::kGone) return ERROR_DEVICE_NOT_CONNECTED;
    if (admission.verdict == SimAdmission::kFail) return ERROR_IO_DEVICE;
    medium = state_.DataDrive();
    if (!medium) return ERROR_NOT_READY;
    const uint64_t sectors = medium->SectorCount();
    if (firstSector > sectors || count > sectors - firstSector) return ERROR_INVALID_PARAMETER;
    return ERROR_SUCCESS;
}

void SimFlashPlayer::CorruptIfWatched(const SimLogicalDrive& drive, BYTE* data, size_t length) const {
    if (length > 0 && faults_.CorruptsDrive(drive.number)) data[0] = static_cast<BYTE>(~data[0]);
}
