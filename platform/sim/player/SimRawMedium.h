// What the player's volume (SimPlayerVolume) and its disk (SimPhysicalDisk)
// have in common: a device in the device namespace over an extent of the
// player's medium. Its handles send SCSI commands through the pass-through,
// ask the storage device property (SimStorageProperty), lock, unlock and
// dismount, and read and write the extent's sectors.
//
// Windows' rules for such a handle apply: a device locked by one handle
// refuses every other open for data with ERROR_ACCESS_DENIED; the lock
// succeeds only while no other handle with data access is open; closing the
// locking handle unlocks. Opens without read or write access reach the
// device, not the medium: they take no part in sharing or locking. Sector
// I/O is raw: whole sectors only, reads past the end come back short, writes
// past it are refused. The volume's and the disk's locks exclude each other
// (SimMediumClaims).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/sim/SimDrive.h"
#include "platform/sim/SimSharing.h"
#include "platform/sim/player/SimFat.h"
#include "platform/sim/player/SimMediumClaims.h"

class SimPlayer;

// File-system control codes of a volume handle.
const DWORD kSimLockVolume = 0x90018;
const DWORD kSimUnlockVolume = 0x9001C;
const DWORD kSimDismountVolume = 0x90020;

// What programs asked of the volume or the disk, for tests to check.
struct SimVolumeRequests {
    unsigned opens = 0;           // CreateFile calls that succeeded
    unsigned closes = 0;          // the last handle of one CreateFile closed
    unsigned lockAttempts = 0;
    unsigned locks = 0;           // attempts that succeeded
    unsigned unlockAttempts = 0;
    unsigned dismounts = 0;
    unsigned sectorReads = 0;     // ReadFile calls
    unsigned sectorWrites = 0;    // WriteFile calls
    unsigned passThroughs = 0;
};

class SimRawMedium : public std::enable_shared_from_this<SimRawMedium> {
public:
    SimRawMedium(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims,
                 SimMediumClaims::Side side);
    virtual ~SimRawMedium();

    // Opens a handle on `extent` of the medium; without one, on the whole
    // medium as it is at each transfer. An empty extent opens a handle whose
    // transfers fail with ERROR_NOT_READY (a removable drive without a medium).
    DWORD Open(const SimOpenRequest& request, std::optional<SimVolumeExtent> extent,
               std::shared_ptr<SimFileObject>& file);

    SimVolumeRequests Requests() const;
    bool Locked() const;
    // The device went away: its name no longer opens and its open handles
    // fail with ERROR_DEVICE_NOT_CONNECTED.
    void Withdraw();

protected:
    std::mutex& Mutex() const { return mutex_; }
    SimPlayer& Player() const { return *player_; }
    // With Mutex() held.
    bool Present() const;
    bool LockTaken() const { return lockedBy_ != nullptr; }

    // With Mutex() held: whatever besides other data handles keeps a lock off.
    virtual bool RefusesLock() const { return false; }
    // With Mutex() held: a handle dismounted the device.
    virtual void Dismounted() {}
    // Without Mutex() held: the control codes only this device answers,
    // asked by a handle opened with `access`.
    virtual DWORD Control(DWORD code, DWORD access, const void* in, DWORD inSize, void* out, DWORD outSize,
                          DWORD& returned);

private:
    class Handle;

    const std::shared_ptr<SimPlayer> player_;
    const std::shared_ptr<SimMediumClaims> claims_;
    const SimMediumClaims::Side side_;
    mutable std::mutex mutex_;
    SimShareState sharing_;       // of the handles with data access
    unsigned dataHandles_ = 0;    // those handles
    const void* lockedBy_ = nullptr;
    bool withdrawn_ = false;
    SimVolumeRequests requests_;
};
