// The player's volume in the device namespace ("\\.\E:"): what a program
// opens to send SCSI commands through, to lock, unlock and dismount the
// volume, and to read and write its sectors. The volume is the first
// partition of the medium (SimFindVolume), found again at every open, so a
// program that rewrote the partition table sees the new volume once it opens
// it again.
//
// Its handles are a raw medium's (SimRawMedium); besides, a volume locked by
// one handle refuses every file access on its drive letter with
// ERROR_ACCESS_DENIED, the lock succeeds only while no file on the drive is
// open, and a dismount invalidates the files open on the drive.
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
#include "platform/sim/player/SimRawMedium.h"

class SimPlayer;

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

    std::shared_ptr<State> state_;
};
