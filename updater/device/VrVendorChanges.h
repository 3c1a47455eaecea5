// The player's vendor requests that change it (operation code 0xC1; the
// second byte selects the request). None has a reply.
#pragma once

#include <cstdint>

#include "updater/device/VrLogicalTable.h"
#include "updater/device/VrScsiCommand.h"

class CVrVersionInfo;

// 0xC1 0x07: erases the whole flash; the player forgets every drive.
class CVrEraseLogicalMedia : public CVrScsiCommand {
public:
    CVrEraseLogicalMedia();
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 1; }
};

// 0xC1 0x06: divides the flash into the table's drives. Each entry travels
// as 10 bytes at block offset 16 + 10i (type, tag, 64-bit size); the player
// numbers the drives itself. The data phase is 11 bytes per entry, so its
// last `count` bytes are always zero.
class CVrAllocateLogicalMedia : public CVrScsiCommand {
public:
    explicit CVrAllocateLogicalMedia(const VrLogicalTable& table);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 1; }

private:
    VrLogicalTable m_table;
};

// 0xC1 0x20: stamps a drive's component (type 7) or product (type 8)
// version. The version sits at block offsets 4 to 9, which rebuilding the
// block leaves alone.
class CVrSetLogicalDriveInfo : public CVrScsiCommand {
public:
    CVrSetLogicalDriveInfo(uint8_t driveNumber, uint8_t infoType, const CVrVersionInfo& version);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 1; }

private:
    uint8_t m_driveNumber;
    uint8_t m_infoType;
};

// 0xC1 0x2F: erases one drive.
class CVrEraseLogicalDrive : public CVrScsiCommand {
public:
    explicit CVrEraseLogicalDrive(uint8_t driveNumber);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 1; }

private:
    uint8_t m_driveNumber;
};

// 0xC1 0x23: writes sectors of a drive; the data follows the 16-byte block.
class CVrWriteLogicalDriveSector : public CVrScsiCommand {
public:
    CVrWriteLogicalDriveSector(uint8_t driveNumber, uint32_t sectorSize, uint64_t firstSector, uint32_t count);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 1; }
    // -10 when the data is larger than sector size x count.
    int32_t SetData(const CVrByteArray& data);
    // The same from a plain buffer, without an intermediate array.
    int32_t SetData(const uint8_t* data, uint32_t length);

private:
    uint8_t m_driveNumber;
    uint64_t m_firstSector;
    uint32_t m_count;
};
