#include "updater/device/VrVendorQueries.h"

#include <cstddef>

#include "updater/base/VrResult.h"
#include "updater/base/VrVersionInfo.h"

namespace {

const uint8_t kQuery = 0xC0;

// Reply lengths by information type; kRefused marks a type the player is
// never asked for, and kCallerSized one whose length the caller knows.
const uint32_t kRefused = 0;
const uint32_t kCallerSized = 0xFFFFFFFFu;
const uint32_t kMediaInfoLengths[] = {2, 8, kRefused, kRefused, kRefused, 1, 4, 2, kCallerSized, 1};
const uint32_t kDriveInfoLengths[] = {4, 4, 8, 4, 8, 4, 1, 48, 48, 1, 2, kCallerSized};

// False for a refused type.
template <size_t N>
bool InfoLength(const uint32_t (&lengths)[N], uint8_t infoType, uint32_t size, uint32_t& length) {
    length = 0;
    if (infoType >= N || lengths[infoType] == kRefused) return false;
    length = lengths[infoType] == kCallerSized ? size : lengths[infoType];
    return true;
}

}  // namespace

CVrGetChipMajorRevId::CVrGetChipMajorRevId() : CVrScsiCommand(16, 0, "CVrGetChipMajorRevId") { ExpectReply(2); }

int32_t CVrGetChipMajorRevId::BuildCommand() { return WriteHeader({kQuery, 0x30}); }

int32_t CVrGetChipMajorRevId::GetRevision(uint16_t& revision) const { return Reply().GetWord(revision, 0); }

CVrGetLogicalMediaInfo::CVrGetLogicalMediaInfo(uint8_t infoType, uint32_t size)
    : CVrScsiCommand(16, 0, "CVrGetLogicalMediaInfo"), m_infoType(infoType) {
    uint32_t length = 0;
    if (!InfoLength(kMediaInfoLengths, infoType, size, length)) SetResult(kVrUnexpectedInfoType);
    ExpectReply(length);
}

int32_t CVrGetLogicalMediaInfo::BuildCommand() { return WriteHeader({kQuery, 0x02, m_infoType}); }

int32_t CVrGetLogicalMediaInfo::IsPlayer(bool& player) const {
    if (m_infoType != kIsPlayer) return kVrUnexpectedInfoType;
    return Reply().GetBool(player, 0);
}

int32_t CVrGetLogicalMediaInfo::GetMediaSize(uint64_t& bytes) const {
    if (m_infoType != kMediaSize) return kVrUnexpectedInfoType;
    return Reply().GetQword(bytes, 0);
}

CVrGetLogicalTable::CVrGetLogicalTable(uint8_t entryLimit)
    : CVrScsiCommand(16, 0, "CVrGetLogicalTable"), m_entryLimit(entryLimit) {
    ExpectReply(2 + kVrLogicalEntryBytes * entryLimit);
}

int32_t CVrGetLogicalTable::BuildCommand() {
    m_table = VrLogicalTable();
    return WriteHeader({kQuery, 0x05, m_entryLimit});
}

// The count is checked against the table and the reply before any entry is
// taken, so a player announcing more than it sent, or more than ten, never
// makes the parse read past the reply or write past the table. The table
// keeps its count 0 until every entry was read.
int32_t CVrGetLogicalTable::StoreReply(const CVrByteArray& data) {
    int32_t result = CVrScsiCommand::StoreReply(data);
    if (result != kVrOk) return result;
    const CVrByteArray& reply = Reply();
    uint16_t count = 0;
    result = reply.GetWord(count, 0);
    if (result != kVrOk) return SetResult(result);
    if (count > kVrMaxLogicalDrives || reply.GetCount() < 2 + kVrLogicalEntryBytes * count) {
        return SetResult(kVrFieldOutOfRange);
    }
    for (uint16_t i = 0; i < count && result == kVrOk; ++i) {
        const uint32_t at = 2 + kVrLogicalEntryBytes * i;
        VrLogicalTableEntry& entry = m_table.entries[i];
        result = reply.GetAt(at, entry.driveNumber);
        if (result == kVrOk) result = reply.GetAt(at + 1, entry.driveType);
        if (result == kVrOk) result = reply.GetAt(at + 2, entry.driveTag);
        if (result == kVrOk) result = reply.GetQword(entry.size, at + 3);
    }
    if (result == kVrOk) m_table.count = count;
    return SetResult(result);
}

int32_t CVrGetLogicalTable::GetTable(VrLogicalTable& table) const {
    table = m_table;
    return kVrOk;
}

CVrGetLogicalDriveInfo::CVrGetLogicalDriveInfo(uint8_t driveNumber, uint8_t infoType, uint32_t size)
    : CVrScsiCommand(16, 0, "CVrGetLogicalDriveInfo"), m_driveNumber(driveNumber), m_infoType(infoType) {
    uint32_t length = 0;
    if (!InfoLength(kDriveInfoLengths, infoType, size, length)) SetResult(kVrIndexBeyondTable);
    ExpectReply(length);
}

int32_t CVrGetLogicalDriveInfo::BuildCommand() { return WriteHeader({kQuery, 0x12, m_driveNumber, m_infoType}); }

int32_t CVrGetLogicalDriveInfo::GetSectorSize(uint32_t& sectorSize) const {
    if (m_infoType != kSectorSize) return kVrUnexpectedInfoType;
    return Reply().GetDword(sectorSize, 0);
}

int32_t CVrGetLogicalDriveInfo::GetVersion(CVrVersionInfo& version) const {
    if (m_infoType != kComponentVersion && m_infoType != kProductVersion) return kVrUnexpectedInfoType;
    uint16_t major = 0, minor = 0, revision = 0;
    int32_t result = Reply().GetWord(major, 0);
    if (result == kVrOk) result = Reply().GetWord(minor, 2);
    if (result == kVrOk) result = Reply().GetWord(revision, 4);
    if (result == kVrOk) version.Set(major, minor, revision);
    return result;
}

CVrReadLogicalDriveSector::CVrReadLogicalDriveSector(uint8_t driveNumber, uint32_t sectorSize, uint64_t firstSector,
                                                     uint32_t count)
    : CVrScsiCommand(16, 0, "CVrReadLogicalDriveSector"),
      m_driveNumber(driveNumber),
      m_firstSector(firstSector),
      m_count(count) {
    ExpectReply(TransferLength(count, sectorSize));
}

int32_t CVrReadLogicalDriveSector::BuildCommand() {
    int32_t result = WriteHeader({kQuery, 0x13, m_driveNumber});
    if (result == kVrOk) result = m_block.SetQword(m_firstSector, 3);
    if (result == kVrOk) result = m_block.SetDword(m_count, 11);
    return result;
}

int32_t CVrReadLogicalDriveSector::GetData(CVrByteArray& data) const { return CopyReply(data); }
