// The only path to the player in mass-storage mode: one abstract transport,
// with one implementation per operating-system family (CVrScsi_Nt on Windows
// 2000 and XP, CVrScsi_9x on Windows 95, 98 and Me). A command object builds the block; the transport runs it and
// hands back the reply. The transport also finds the player among the
// system's drives.
//
// Every failure of a platform call is recorded in the failure record (with the system error, or the sense text of a check condition);
// the transport's own result and system error are cleared afterwards, so it
// never carries a stale failure into the next command.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Host.h"
#include "updater/base/VrBase.h"
#include "updater/base/VrByteArray.h"

class CVrEngineContext;
class CVrScsiCommand;

// The platform's disk geometry record (24 bytes on the wire).
struct VrDiskGeometry {
    uint64_t cylinders = 0;
    uint32_t mediaType = 0;
    uint32_t tracksPerCylinder = 0;
    uint32_t sectorsPerTrack = 0;
    uint32_t bytesPerSector = 0;
};

class CVrScsiDevice : public CVrBase {
public:
    CVrScsiDevice(CVrEngineContext& context, const char* name);
    ~CVrScsiDevice() override;
    CVrScsiDevice(const CVrScsiDevice&) = delete;
    CVrScsiDevice& operator=(const CVrScsiDevice&) = delete;

    // The transport of the running system's class: pass-through on Windows
    // 2000 and XP, ASPI on 95, 98 and Me. Null, with `result` -27, for a
    // system without one, or with the ASPI transport's failure to load.
    static std::unique_ptr<CVrScsiDevice> Create(CVrEngineContext& context, int32_t& result);

    virtual int32_t Open() = 0;
    virtual int32_t Lock(uint32_t physical) = 0;
    virtual int32_t LockForFormat(uint32_t physical) = 0;
    virtual int32_t Release(uint32_t physical) = 0;
    virtual int32_t Unlock(uint32_t physical) = 0;
    virtual int32_t Close() = 0;
    virtual int32_t Dismount() = 0;
    // SCSI WRITE(10) / READ(10) of `count` sectors from sector `start`.
    virtual int32_t WriteSectors(const CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize);
    virtual int32_t ReadSectors(CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize);
    virtual int32_t SetDriveLayout(const VrDiskGeometry& geometry, uint32_t hiddenSectors);
    virtual int32_t GetDriveGeometry(VrDiskGeometry& geometry) = 0;
    virtual int32_t FindByPhysicalDrive();
    // 0 when the player was found, -22 when not.
    virtual int32_t FindDevice() = 0;
    // Builds the command's block, runs it and hands a data-in reply to it.
    virtual int32_t SendCommand(CVrScsiCommand& command);
    // `block` holds the command bytes and, for a data-out command, the bytes
    // to send after them; a data-in reply is copied into `data`.
    virtual int32_t Execute(const CVrByteArray& block, uint32_t commandLength, bool isWrite, CVrByteArray& data) = 0;

    wchar_t GetDriveLetter() const { return m_driveLetter; }
    uint32_t IsFound() const { return m_found; }
    // The sense bytes of the last check condition, or null.
    const CVrByteArray* GetSense() const { return m_sense.get(); }

protected:
    // A failed platform call: the result and system error are kept just long
    // enough to be recorded in the failure record. Returns `result`.
    int32_t RecordFailure(int32_t result, DWORD systemError);
    // A check condition: keeps the sense bytes (none: no sense array) and
    // records -23 with their text and `systemError`. Returns -23.
    int32_t RecordCheckCondition(const uint8_t* sense, uint32_t length, DWORD systemError = 0);
    // Whether INQUIRY data names the configured player: the product
    // identification (from byte 16) and then the vendor identification (from
    // byte 8), case ignored, over the lengths of the configured strings.
    bool MatchesIdentity(const uint8_t* inquiry, uint32_t length) const;
    // Sends INQUIRY and compares its identity.
    int32_t InquireIdentity(bool& matches);
    // Media information type 9: true when the unit says it is a player.
    int32_t AnswersAsPlayer(bool& player);

    CVrEngineContext& m_context;
    Host& m_host;
    wchar_t m_driveLetter = 0;
    uint32_t m_found = 0;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::unique_ptr<CVrByteArray> m_sense;
};
