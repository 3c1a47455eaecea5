// The transport of Windows 2000 and XP: the player's volume (or, for the
// formatter, its whole disk) is opened as a file; commands go out through the
// SCSI pass-through request on a worker thread, and sectors, locking and
// partitioning use the file system's and the disk's own requests.
#pragma once

#include <cstdint>
#include <string>

#include "updater/device/VrCommandWorker.h"
#include "updater/device/VrScsiDevice.h"

class CVrScsi_Nt : public CVrScsiDevice {
public:
    explicit CVrScsi_Nt(CVrEngineContext& context);

    int32_t Open() override;
    int32_t Lock(uint32_t physical) override;
    // The volume lock already keeps everyone else off the volume.
    int32_t LockForFormat(uint32_t physical) override;
    // Dismounting makes Windows mount the new file system afresh.
    int32_t Release(uint32_t physical) override;
    int32_t Unlock(uint32_t physical) override;
    int32_t Close() override;
    int32_t Dismount() override;
    // Byte-addressed file transfers of count x sector size bytes (at most
    // 32 bits) at start x sector size (64 bits).
    int32_t WriteSectors(const CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize) override;
    int32_t ReadSectors(CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize) override;
    // One FAT partition (type 6) starting after the hidden sectors and
    // filling the rest of the disk; the other three entries are emptied.
    int32_t SetDriveLayout(const VrDiskGeometry& geometry, uint32_t hiddenSectors) override;
    int32_t GetDriveGeometry(VrDiskGeometry& geometry) override;
    // Opens \\.\PhysicalDrive0 to 99 until one answers with the player's
    // identity, and keeps that disk open.
    int32_t FindByPhysicalDrive() override;
    // Searches the removable drives B: to Z: for the player; leaves the
    // handle closed (the volume is opened by its letter when next needed).
    int32_t FindDevice() override;
    int32_t Execute(const CVrByteArray& block, uint32_t commandLength, bool isWrite, CVrByteArray& data) override;

private:
    // False, with the handle closed, when the path cannot be opened.
    bool OpenPath(const std::wstring& path);
    // Tries a volume request ten times, pausing after each failure.
    int32_t ControlVolume(DWORD code, int32_t failure);
    // Positions the handle for a transfer of count sectors from start and
    // gives its byte count.
    int32_t Seek(uint32_t count, uint32_t start, uint32_t sectorSize, int32_t failure, DWORD& bytes);
    // The unit on the open handle answers with the player's identity and,
    // when `mediaCheck`, says it is a player.
    bool HoldsPlayer(bool mediaCheck);

    CVrCommandWorker m_worker;
};
