// The two ways Windows reaches the player's medium, its volume ("\\.\E:")
// and its disk ("\\.\PhysicalDriveN"), share one rule: while one of them is
// locked the other neither opens for data nor locks, and neither locks while
// the other has data handles open. The updater's formatter has to unlock and
// close the volume before it takes the disk, and the disk before it takes
// the volume again; a sequence that forgets one of them fails here as it
// would on the PC.
#pragma once

#include <mutex>

#include "platform/WinTypes.h"

class SimMediumClaims {
public:
    enum Side { kVolume = 0, kDisk = 1 };

    // An open with data access.
    DWORD Admit(Side side) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (locked_[Other(side)]) return ERROR_ACCESS_DENIED;
        ++handles_[side];
        return ERROR_SUCCESS;
    }
    void Leave(Side side) {
        std::lock_guard<std::mutex> lock(mutex_);
        --handles_[side];
    }
    DWORD Lock(Side side) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (locked_[Other(side)] || handles_[Other(side)] > 0) return ERROR_ACCESS_DENIED;
        locked_[side] = true;
        return ERROR_SUCCESS;
    }
    void Unlock(Side side) {
        std::lock_guard<std::mutex> lock(mutex_);
        locked_[side] = false;
    }

private:
    static Side Other(Side side) { return side == kVolume ? kDisk : kVolume; }

    std::mutex mutex_;
    unsigned handles_[2] = {0, 0};
    bool locked_[2] = {false, false};
};
