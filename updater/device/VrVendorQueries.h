// The player's vendor requests that read (operation code 0xC0; the second
// byte selects the request).
#pragma once

#include <cstdint>

#include "updater/device/VrLogicalTable.h"
#include "updater/device/VrScsiCommand.h"

class CVrVersionInfo;

// 0xC0 0x30: the chip's major revision, 16 bits.
class CVrGetChipMajorRevId : public CVrScsiCommand {
public:
    CVrGetChipMajorRevId();
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 0; }
    int32_t GetRevision(uint16_t& revision) const;
};

// 0xC0 0x02: information about the whole logical media. Types 2, 3, 4 and
// above 9 are refused with -8 before anything is sent.
class CVrGetLogicalMediaInfo : public CVrScsiCommand {
public:
    static const uint8_t kMediaSize = 1;
    static const uint8_t kIsPlayer = 9;
    CVrGetLogicalMediaInfo(uint8_t infoType, uint32_t size);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 0; }
    // Type 9: true when the unit is a player (reply byte 0 not 0); -8 for
    // any other type.
    int32_t IsPlayer(bool& player) const;
    // Type 1: the size of the whole logical media in bytes (64 bits), all the
    // flash the player divides into drives; -8 for any other type.
    int32_t GetMediaSize(uint64_t& bytes) const;

private:
    uint8_t m_infoType;
};

// 0xC0 0x05: the logical table, at most `entryLimit` entries (always 10).
class CVrGetLogicalTable : public CVrScsiCommand {
public:
    explicit CVrGetLogicalTable(uint8_t entryLimit = kVrMaxLogicalDrives);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 0; }
    // Parses the reply into the table; a reply shorter than the count it
    // announces, or a count above 10, fails with -3.
    int32_t StoreReply(const CVrByteArray& data) override;
    int32_t GetTable(VrLogicalTable& table) const;

private:
    uint8_t m_entryLimit;
    VrLogicalTable m_table;
};

// 0xC0 0x12: information about one logical drive. Types above 11 are
// refused with -9 before anything is sent.
class CVrGetLogicalDriveInfo : public CVrScsiCommand {
public:
    static const uint8_t kSectorSize = 0;
    static const uint8_t kComponentVersion = 7;
    static const uint8_t kProductVersion = 8;
    CVrGetLogicalDriveInfo(uint8_t driveNumber, uint8_t infoType, uint32_t size);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 0; }
    // Type 0: bytes per sector of the drive; -8 for any other type.
    int32_t GetSectorSize(uint32_t& sectorSize) const;
    // Types 7 and 8: the version at reply bytes 0, 2 and 4; -8 otherwise.
    int32_t GetVersion(CVrVersionInfo& version) const;

private:
    uint8_t m_driveNumber;
    uint8_t m_infoType;
};

// 0xC0 0x13: sectors of a logical drive.
class CVrReadLogicalDriveSector : public CVrScsiCommand {
public:
    CVrReadLogicalDriveSector(uint8_t driveNumber, uint32_t sectorSize, uint64_t firstSector, uint32_t count);
    int32_t BuildCommand() override;
    uint32_t IsDataOut() const override { return 0; }
    // The reply, as many bytes as both arrays hold.
    int32_t GetData(CVrByteArray& data) const;

private:
    uint8_t m_driveNumber;
    uint64_t m_firstSector;
    uint32_t m_count;
};
