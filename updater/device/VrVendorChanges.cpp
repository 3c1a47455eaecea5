#include "updater/device/VrVendorChanges.h"

#include "updater/base/VrResult.h"
#include "updater/base/VrVersionInfo.h"

namespace {

const uint8_t kChange = 0xC1;
const uint32_t kAllocationEntryBytes = 10;  // the drive number is not sent

// A table claiming more than its ten entries sends nothing (see below).
uint32_t AllocationDataLength(const VrLogicalTable& table) {
    return table.count > kVrMaxLogicalDrives ? 0 : kVrLogicalEntryBytes * table.count;
}

}  // namespace

CVrEraseLogicalMedia::CVrEraseLogicalMedia() : CVrScsiCommand(16, 0, "CVrEraseLogicalMedia") {}

int32_t CVrEraseLogicalMedia::BuildCommand() { return WriteHeader({kChange, 0x07}); }

CVrAllocateLogicalMedia::CVrAllocateLogicalMedia(const VrLogicalTable& table)
    : CVrScsiCommand(16, AllocationDataLength(table), "CVrAllocateLogicalMedia"), m_table(table) {
    if (table.count > kVrMaxLogicalDrives) SetResult(kVrFieldOutOfRange);
}

int32_t CVrAllocateLogicalMedia::BuildCommand() {
    int32_t result = WriteHeader({kChange, 0x06, static_cast<uint8_t>(m_table.count)});
    for (uint16_t i = 0; i < m_table.count && result == kVrOk; ++i) {
        const uint32_t at = m_commandLength + kAllocationEntryBytes * i;
        const VrLogicalTableEntry& entry = m_table.entries[i];
        result = m_block.SetAt(at, entry.driveType);
        if (result == kVrOk) result = m_block.SetAt(at + 1, entry.driveTag);
        if (result == kVrOk) result = m_block.SetQword(entry.size, at + 2);
    }
    return result;
}

CVrSetLogicalDriveInfo::CVrSetLogicalDriveInfo(uint8_t driveNumber, uint8_t infoType, const CVrVersionInfo& version)
    : CVrScsiCommand(16, 0, "CVrSetLogicalDriveInfo"), m_driveNumber(driveNumber), m_infoType(infoType) {
    int32_t result = BuildCommand();
    if (result == kVrOk) result = m_block.SetWord(version.GetMajor(), 4);
    if (result == kVrOk) result = m_block.SetWord(version.GetMinor(), 6);
    if (result == kVrOk) result = m_block.SetWord(version.GetRevision(), 8);
    if (result != kVrOk && GetLastResult() == kVrOk) SetResult(result);
}

// Only bytes 0 to 3: the version the constructor placed stays.
int32_t CVrSetLogicalDriveInfo::BuildCommand() { return WriteHeader({kChange, 0x20, m_driveNumber, m_infoType}); }

CVrEraseLogicalDrive::CVrEraseLogicalDrive(uint8_t driveNumber)
    : CVrScsiCommand(16, 0, "CVrEraseLogicalDrive"), m_driveNumber(driveNumber) {}

int32_t CVrEraseLogicalDrive::BuildCommand() { return WriteHeader({kChange, 0x2F, m_driveNumber}); }

CVrWriteLogicalDriveSector::CVrWriteLogicalDriveSector(uint8_t driveNumber, uint32_t sectorSize,
                                                       uint64_t firstSector, uint32_t count)
    : CVrScsiCommand(16, TransferLength(count, sectorSize), "CVrWriteLogicalDriveSector"),
      m_driveNumber(driveNumber),
      m_firstSector(firstSector),
      m_count(count) {}

int32_t CVrWriteLogicalDriveSector::BuildCommand() {
    int32_t result = WriteHeader({kChange, 0x23, m_driveNumber});
    if (result == kVrOk) result = m_block.SetQword(m_firstSector, 3);
    if (result == kVrOk) result = m_block.SetDword(m_count, 11);
    return result;
}

int32_t CVrWriteLogicalDriveSector::SetData(const CVrByteArray& data) { return PlaceData(data); }

int32_t CVrWriteLogicalDriveSector::SetData(const uint8_t* data, uint32_t length) { return PlaceData(data, length); }
