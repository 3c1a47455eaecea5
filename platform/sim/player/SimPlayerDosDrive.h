// The player's drive letter as DOS on Windows 95, 98 and Me sees it
// ("\\.\vwin32"): its drive map information, locks and device parameters.
//
// A lock of the logical or the physical volume locks the player's volume
// (SimPlayerVolume) as a volume lock of Windows 2000 and XP does: it is
// refused while a file on the drive is open or the volume will not lock, and
// while it holds, file access on the letter is denied. Locks nest, as DOS
// keeps them: each lock needs its unlock of the same kind, and the volume is
// free again when the last one went.
#pragma once

#include <memory>
#include <mutex>

#include "platform/sim/SimVwin32.h"

class SimPlayer;
class SimPlayerVolume;

class SimPlayerDosDrive final : public SimDosDrive {
public:
    // `int13Drive` is the BIOS drive number of the player's disk, 0 when the
    // protected-mode driver alone reaches it.
    SimPlayerDosDrive(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimPlayerVolume> volume, BYTE int13Drive);

    WORD DriveMap(SimDriveMap& map) override;
    WORD Lock(bool physical, WORD permissions) override;
    WORD Unlock(bool physical) override;
    WORD DeviceParameters(BYTE* block) override;

private:
    const std::shared_ptr<SimPlayer> player_;
    const std::shared_ptr<SimPlayerVolume> volume_;
    const BYTE int13Drive_;
    std::mutex mutex_;
    unsigned locks_[2] = {0, 0};  // logical, physical
    std::shared_ptr<class SimFileObject> lockHandle_;  // holds the volume lock
};
