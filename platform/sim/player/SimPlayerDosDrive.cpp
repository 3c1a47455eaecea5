#include "platform/sim/player/SimPlayerDosDrive.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/player/SimLittleEndian.h"
#include "platform/sim/player/SimPlayer.h"
#include "platform/sim/player/SimPlayerVolume.h"
#include "platform/sim/player/SimRawMedium.h"

namespace {

const BYTE kDiskDevice = 5;        // device type: fixed or removable hard disk
const WORD kRemovableMedia = 0;    // attribute bit 0 clear: the medium can change
const BYTE kProtectedModeOnly = 0x0F;  // logical, physical, only drive, eject

}  // namespace

SimPlayerDosDrive::SimPlayerDosDrive(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimPlayerVolume> volume,
                                     BYTE int13Drive)
    : player_(std::move(player)), volume_(std::move(volume)), int13Drive_(int13Drive) {}

WORD SimPlayerDosDrive::DriveMap(SimDriveMap& map) {
    if (!player_->Connected()) return SimDosError::kInvalidDrive;
    map = int13Drive_ >= 0x80 ? SimDriveMap{0x0B, int13Drive_} : SimDriveMap{kProtectedModeOnly, 0xFF};
    return 0;
}

// The first lock takes the volume through a handle of its own; the handle
// goes, and the volume lock with it, when the last lock is undone.
WORD SimPlayerDosDrive::Lock(bool physical, WORD) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!player_->Connected()) return SimDosError::kInvalidDrive;
    if (!lockHandle_) {
        SimOpenRequest request;
        request.access = GENERIC_READ | GENERIC_WRITE;
        request.share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        request.disposition = OPEN_EXISTING;
        std::shared_ptr<SimFileObject> handle;
        DWORD returned = 0;
        if (volume_->Open(request, handle) != ERROR_SUCCESS ||
            handle->IoControl(kSimLockVolume, nullptr, 0, nullptr, 0, returned) != ERROR_SUCCESS) {
            return SimDosError::kAccessDenied;
        }
        lockHandle_ = std::move(handle);
    }
    ++locks_[physical ? 1 : 0];
    return 0;
}

WORD SimPlayerDosDrive::Unlock(bool physical) {
    std::lock_guard<std::mutex> lock(mutex_);
    unsigned& count = locks_[physical ? 1 : 0];
    if (count == 0) return SimDosError::kNotLocked;
    --count;
    if (locks_[0] == 0 && locks_[1] == 0) lockHandle_.reset();
    return 0;
}

// The geometry a BIOS would give the medium: 63 sectors per track, 255
// heads, as many cylinders as fit 16 bits.
WORD SimPlayerDosDrive::DeviceParameters(BYTE* block) {
    if (!player_->Connected()) return SimDosError::kInvalidDrive;
    const uint64_t sectors = player_->MediumSectorCount();
    const uint32_t sectorSize = player_->MediumSectorSize();
    if (sectors == 0) return SimDosError::kInvalidFunction;  // no medium
    const uint64_t cylinders = std::min<uint64_t>(std::max<uint64_t>(sectors / (255 * 63), 1), 0xFFFF);
    std::memset(block + 1, 0, SimVwin32::kParameterBytes - 1);
    block[1] = kDiskDevice;
    SimPut16(block + 2, kRemovableMedia);
    SimPut16(block + 4, static_cast<uint32_t>(cylinders));
    block[6] = 0;                       // media type: the default
    SimPut16(block + 7, sectorSize);    // the BIOS parameter block from here
    block[17] = 0xF8;
    SimPut16(block + 20, 63);
    SimPut16(block + 22, 255);
    SimPut32(block + 28, static_cast<uint32_t>(std::min<uint64_t>(sectors, 0xFFFFFFFFu)));
    return 0;
}
