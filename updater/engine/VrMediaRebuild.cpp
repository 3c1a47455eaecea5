// The media rebuild: the allocation table the new components need, the check
// that the data drive it makes can be formatted, and the rebuild itself:
// erase and re-allocate the flash, write the components, format the data
// drive.
#include <iterator>
#include <vector>

#include "updater/base/VrConfigInfo.h"
#include "updater/device/VrScsiDevice.h"
#include "updater/engine/VrUsbMscDev.h"
#include "updater/device/VrVendorChanges.h"
#include "updater/device/VrVendorQueries.h"
#include "updater/base/VrEngineContext.h"
#include "updater/engine/VrSystemDrive.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"
#include "updater/format/VrFormatter.h"

namespace {

// A player gives each kind of drive it allocates one sector size, a power of
// two from 512 bytes to 64 KiB, and rounds each drive up to whole sectors;
// the formatter serves data drives of these sector sizes.
const uint32_t kLeastDriveSector = 512;
const uint32_t kLargestDriveSector = 65536;
const uint32_t kServedDataSectors[] = {512, 1024, 2048, 4096};

uint64_t RoundUp(uint64_t size, uint32_t unit) { return (size + unit - 1) / unit * unit; }

// The sizes in bytes the data drive can come out at when the player lays out
// `allocation` on `mediaBytes` of flash with data sectors of `dataSector`
// bytes. Asked for with size 0, the data drive takes what the system drives
// leave, in whole sectors; how much that is depends on the sector size the
// player gives its system drives, which the PC does not know, so there is
// one size per possible sector size. Where the system drives leave no data
// sector, the player would refuse the allocation after the erase: that case
// is a data drive of no size, which no layout serves.
std::vector<uint64_t> ForecastDataDrive(uint64_t mediaBytes, const VrLogicalTable& allocation, uint32_t dataSector) {
    uint64_t asked = 0;
    for (uint16_t i = 0; i < allocation.count && i < kVrMaxLogicalDrives; ++i) {
        if (allocation.entries[i].driveType == kVrDataDriveType) asked = allocation.entries[i].size;
    }
    if (asked != 0) return {RoundUp(asked, dataSector)};
    std::vector<uint64_t> sizes;
    for (uint32_t systemSector = kLeastDriveSector; systemSector <= kLargestDriveSector; systemSector *= 2) {
        uint64_t used = 0;
        for (uint16_t i = 0; i < allocation.count && i < kVrMaxLogicalDrives; ++i) {
            if (allocation.entries[i].driveType == kVrSystemDriveType) {
                used += RoundUp(allocation.entries[i].size, systemSector);
            }
        }
        sizes.push_back(used < mediaBytes ? (mediaBytes - used) / dataSector * dataSector : 0);
    }
    return sizes;
}

}  // namespace

int32_t CVrUsbMscDev::BuildAllocationTable(VrLogicalTable& table) const {
    uint8_t bootManagerTag = 0;
    m_context.GetConfig().GetBootManagerTag(bootManagerTag);

    table = VrLogicalTable();
    table.count = static_cast<uint16_t>(m_systemDriveCount + 1);
    if (table.count > kVrMaxLogicalDrives) return kVrIndexBeyondTable;

    // The boot manager leads, the data drive follows, then the other system
    // drives in index order.
    auto entryOf = [](const CVrLogicalDrive& drive, uint8_t type) {
        VrLogicalTableEntry entry;
        drive.GetRequiredEntry(&entry);
        entry.driveNumber = kVrNoDriveNumber;
        entry.driveType = type;
        entry.driveTag = drive.GetTag();
        return entry;
    };
    table.entries[1] = entryOf(*m_dataDrive, kVrDataDriveType);
    uint16_t next = 2;
    for (uint8_t index = 1; index <= m_systemDriveCount; ++index) {
        const CVrSystemDrive& drive = *GetSystemDrive(index);
        bool bootManager = drive.GetTag() == bootManagerTag;
        uint16_t slot = bootManager ? 0 : next++;
        if (slot >= table.count) return kVrIndexBeyondTable;  // no boot manager among the drives
        table.entries[slot] = entryOf(drive, kVrSystemDriveType);
    }
    return kVrOk;
}

int32_t CVrUsbMscDev::RebuildMedia(bool forceFat16) {
    if (!m_transport) return kVrNoTransport;
    CVrProgress& progress = m_context.GetProgress();
    CVrFormatter formatter(m_context, *m_transport, forceFat16);

    progress.SetStage(kVrStageRebuildMedia, 4);
    VrLogicalTable allocation;
    int32_t result = BuildAllocationTable(allocation);
    progress.Step(1);
    // Nothing is erased unless the data drive the new table makes can be
    // formatted: a refusal now leaves the player with its files and firmware.
    if (result == kVrOk) result = CheckDataDrive(formatter, allocation);
    if (result != kVrOk) return result;

    CVrEraseLogicalMedia erase;
    result = Send(erase);
    progress.Step(1);
    if (result != kVrOk) return result;

    CVrAllocateLogicalMedia allocate(allocation);
    result = Send(allocate);
    progress.Step(1);
    if (result != kVrOk) return result;

    result = UpdateFirmware();
    if (result != kVrOk) return result;

    progress.SetStage(kVrStageEraseDataDrive, 2);
    progress.Step(1);
    result = m_dataDrive->Erase();
    progress.Step(1);
    if (result != kVrOk) return result;

    return formatter.Format(m_tableUnreadable, nullptr, 0);
}

// The data drive's sector size is the one the player gives it now, as READ
// CAPACITY tells; without a data drive to ask, every size the formatter
// serves is tried. A player that cannot tell its media size leaves the
// question to the format itself, as before the check existed.
int32_t CVrUsbMscDev::CheckDataDrive(CVrFormatter& formatter, const VrLogicalTable& allocation) {
    CVrGetLogicalMediaInfo info(CVrGetLogicalMediaInfo::kMediaSize, 0);
    uint64_t mediaBytes = 0;
    if (Send(info) != kVrOk || info.GetMediaSize(mediaBytes) != kVrOk) return kVrOk;
    std::vector<uint32_t> sectorSizes(std::begin(kServedDataSectors), std::end(kServedDataSectors));
    uint32_t lastBlock = 0, blockLength = 0;
    if (m_dataDrive->ReadCapacity(lastBlock, blockLength) == kVrOk && blockLength != 0) {
        sectorSizes.assign(1, blockLength);
    }
    for (uint32_t sectorSize : sectorSizes) {
        for (uint64_t bytes : ForecastDataDrive(mediaBytes, allocation, sectorSize)) {
            const int32_t result = formatter.CheckMedium(bytes / sectorSize, sectorSize);
            if (result != kVrOk) return result;
        }
    }
    return kVrOk;
}

int32_t CVrUsbMscDev::Send(CVrScsiCommand& command) {
    int32_t result = command.GetLastResult();
    return result == kVrOk ? m_transport->SendCommand(command) : result;
}
