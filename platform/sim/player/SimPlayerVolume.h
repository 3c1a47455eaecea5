// The player's volume in the device namespace ("\\.\E:"): what a program
// opens to send SCSI commands through, to lock, unlock and dismount the
// volume, and to read and write its sectors. The volume is the first
// partition of the medium (SimFindVolume), found again at every open, so a
// program that rewrote the partition table sees the new volume once it opens
// it again.
//
// Windows' rules for a volume handle apply: a volume locked by one handle
// refuses every other open and every file access on its drive letter with
// ERROR_ACCESS_DENIED; the lock succeeds only while no other handle to the
// volume and no file on the drive is open; closing the locking handle
// unlocks; a dismount invalidates the files open on the drive. Opens without
// read or write access reach the device, not the file system: they take no
// part in sharing or locking. Sector I/O is raw volume I/O: whole sectors
// only, reads past the end come back short, writes past it are refused.
//
// The disk of the same medium (SimPhysicalDisk) shares its claims: see
// SimMediumClaims.
//
// The drive letter (SimPlayerDrive) reaches the volume's files through
// AccessFiles and OpenFile, so locking, dismounting and pulling the player
// out act on both alike.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/sim/SimDrive.h"
#include "platform/sim/player/SimFat.h"
#include "platform/sim/player/SimMediumClaims.h"

class SimPlayer;

// File-system control codes of a volume handle.
const DWORD kSimLockVolume = 0x90018;
const DWORD kSimUnlockVolume = 0x9001C;
const DWORD kSimDismountVolume = 0x90020;

// What programs asked of the volume, for tests to check.
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

class SimPlayerVolume final : public SimDevice {
public:
    // `claims` is shared with the medium's disk; without one the volume is alone.
    explicit SimPlayerVolume(std::shared_ptr<SimPlayer> player,
                             std::shared_ptr<SimMediumClaims> claims = std::make_shared<SimMediumClaims>());
    ~SimPlayerVolume() override;

    DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) override;

    SimVolumeRequests Requests() const;
    bool Locked() const;
    // The fault "the volume will not lock": every lock attempt fails with
    // ERROR_ACCESS_DENIED.
    void RefuseLock(bool refuse);
    // The player was pulled out: requests on open handles, and on the files
    // open on the drive, fail with ERROR_DEVICE_NOT_CONNECTED.
    void PullOut();

    // Runs `access` on the file system, mounted afresh. Without running it:
    // ERROR_NOT_READY when the player is gone or has no medium,
    // ERROR_ACCESS_DENIED while the volume is locked, ERROR_UNRECOGNIZED_VOLUME
    // when the volume holds no FAT file system (what Windows answers for an
    // unformatted medium), or the medium's read error.
    DWORD AccessFiles(const std::function<DWORD(SimFat&)>& access);
    // As AccessFiles, for opening a file: when `access` succeeds the file
    // counts as open (the volume will not lock) until CloseFile. `mount`
    // tells which mounting of the file system the file belongs to.
    DWORD OpenFile(const std::function<DWORD(SimFat&)>& access, uint64_t& mount);
    // As AccessFiles, for a file open since `mount`: ERROR_NOT_READY once the
    // volume has been dismounted under it, ERROR_DEVICE_NOT_CONNECTED once
    // the player is gone.
    DWORD AccessOpenFile(uint64_t mount, const std::function<DWORD(SimFat&)>& access);
    void CloseFile(uint64_t mount);

private:
    struct State;
    class Handle;

    DWORD Access(const std::function<DWORD(SimFat&)>& access, const uint64_t* openedAt, uint64_t* opening);

    std::shared_ptr<State> state_;
};
