#include "updater/format/VrFormatter.h"

#include <string>

#include "updater/device/VrScsiDevice.h"
#include "updater/device/VrStandardCommands.h"
#include "updater/base/VrEngineContext.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace {

bool IsNtFamily(VrOsClass family) { return family == kVrOsWin2000 || family == kVrOsWinXp; }
bool Is9xFamily(VrOsClass family) { return family == kVrOsWin9x || family == kVrOsWinMe; }

}  // namespace

CVrFormatter::CVrFormatter(CVrEngineContext& context, CVrScsiDevice& transport, bool forceFat16)
    : CVrBase("CVrFormatter"), m_context(context), m_transport(transport), m_forceFat16(forceFat16) {}

int32_t CVrFormatter::Format(bool tableUnreadable, const uint8_t* label, uint32_t labelLength) {
    CVrProgress& progress = m_context.GetProgress();
    const VrOsClass family = VrGetOsClass(m_context.GetHost());
    uint32_t lastBlock = 0;
    int32_t result = ReadCapacity(lastBlock);
    if (result != kVrOk) return SetResult(result);
    progress.Step(1);
    // A last block of 0xFFFFFFFF stands for 2^32 sectors or more, beyond
    // every FAT volume.
    if (lastBlock == 0xFFFFFFFF) return Refuse(kVrBeyondFat, uint64_t(lastBlock) + 1, m_sectorSize);
    CVrDisk disk(lastBlock + 1, m_sectorSize, m_forceFat16);
    progress.Step(1);
    if (disk.GetLastResult() != kVrOk) return Refuse(disk.GetLastResult(), lastBlock + 1, m_sectorSize);

    m_sector = 0;
    result = PrepareDrive(family, disk, tableUnreadable);
    if (result == kVrOk) result = WriteImage(kVrStageWriteMbr, disk.GetMbr());
    if (result == kVrOk) result = WriteZeroSectors(disk.GetVolume().partitionStart - 1);
    if (result == kVrOk && IsNtFamily(family)) {
        // The disk is done; the rest goes through the volume, whose sector 0
        // is the partition's first.
        result = WriteTail(disk);
        if (result == kVrOk) result = ReopenVolume();
        m_sector = 0;
    }
    if (result == kVrOk) {
        progress.SetStage(kVrStageFormatDataDrive, 2);
        result = WriteBootArea(disk);
    }
    if (result == kVrOk) result = WriteFats(disk);
    if (result == kVrOk) result = WriteRootArea(static_cast<uint32_t>(disk.GetRootAreaSectors()), label, labelLength);
    if (result == kVrOk && Is9xFamily(family)) result = WriteTail(disk);
    if (result == kVrOk) {
        const int32_t released = m_transport.Release(tableUnreadable);
        result = tableUnreadable ? kVrOk : released;
    }
    return SetResult(result);
}

int32_t CVrFormatter::CheckMedium(uint64_t sectorCount, uint32_t sectorSize) {
    const int32_t result = VrCheckLayout(sectorCount, sectorSize, m_forceFat16);
    return result == kVrOk ? SetResult(kVrOk) : Refuse(result, sectorCount, sectorSize);
}

// The unit the transport reaches is the data drive: READ CAPACITY gives its
// sector size and last sector.
int32_t CVrFormatter::ReadCapacity(uint32_t& lastBlock) {
    CVrReadCapacity command;
    int32_t result = command.GetLastResult();
    if (result == kVrOk) result = m_transport.SendCommand(command);
    if (result == kVrOk) result = command.GetCapacity(lastBlock, m_sectorSize);
    return result;
}

int32_t CVrFormatter::Refuse(int32_t result, uint64_t sectorCount, uint32_t sectorSize) {
    SetResult(result);
    m_context.GetErrorRecord().RecordWithDetail(*this,
                                                std::to_wstring(sectorCount) + L" x " + std::to_wstring(sectorSize));
    return result;
}

int32_t CVrFormatter::PrepareDrive(VrOsClass family, const CVrDisk& disk, bool tableUnreadable) {
    if (Is9xFamily(family)) {
        const int32_t result = m_transport.LockForFormat(tableUnreadable);
        return tableUnreadable ? kVrOk : result;
    }
    if (!IsNtFamily(family)) return kVrOk;
    // The volume cannot be re-partitioned from inside: the whole disk is
    // opened instead and given one partition where the boot sector says.
    int32_t result = m_transport.Unlock(0);
    if (result == kVrOk) result = m_transport.Close();
    if (result == kVrOk) result = m_transport.FindByPhysicalDrive();
    if (result == kVrOk) result = m_transport.Lock(0);
    VrDiskGeometry geometry;
    if (result == kVrOk) result = m_transport.GetDriveGeometry(geometry);
    if (result == kVrOk) result = m_transport.SetDriveLayout(geometry, disk.GetVolume().partitionStart);
    return result;
}

int32_t CVrFormatter::WriteTail(const CVrDisk& disk) {
    const VrVolumeLayout& volume = disk.GetVolume();
    m_sector = volume.partitionStart + volume.partitionSectors;
    return WriteZeroSectors(disk.GetTailSectors());
}

int32_t CVrFormatter::ReopenVolume() {
    int32_t result = m_transport.Unlock(0);
    if (result == kVrOk) result = m_transport.Close();
    if (result == kVrOk) result = m_transport.Open();
    if (result == kVrOk) result = m_transport.Lock(0);
    return result;
}

// Sector 6 holds the backup of the boot sector and its two followers; the
// rest of the 32 reserved sectors are zero.
int32_t CVrFormatter::WriteBootArea(const CVrDisk& disk) {
    int32_t result = WriteImage(kVrStageWriteBootSector, disk.GetBootSector());
    if (result != kVrOk || disk.GetFatType() != kVrFat32) return result;
    result = WriteImage(kVrStageWriteBootSector, disk.GetFsInfo());
    if (result == kVrOk) result = WriteImage(kVrStageWriteBootSector, disk.GetThirdBootSector());
    if (result == kVrOk) result = WriteZeroSectors(3);
    if (result == kVrOk) result = WriteImage(kVrStageWriteBootSector, disk.GetBootSector());
    if (result == kVrOk) result = WriteImage(kVrStageWriteBootSector, disk.GetFsInfo());
    if (result == kVrOk) result = WriteImage(kVrStageWriteBootSector, disk.GetThirdBootSector());
    if (result == kVrOk) result = WriteZeroSectors(disk.GetVolume().reservedSectors - 9u);
    return result;
}
