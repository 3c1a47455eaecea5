// A transport double for the formatter: a medium of any size held sparsely
// (only written sectors take memory), READ CAPACITY answered from it, and a
// log of every transport call in order. Like the Windows 2000/XP transport,
// it addresses the whole disk after FindByPhysicalDrive and the volume
// (starting at the hidden sectors given to SetDriveLayout) after Open; a
// unit that never gets a layout, as on Windows 9x, is addressed whole.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "updater/device/VrScsiDevice.h"

class FormatMedium : public CVrScsiDevice {
public:
    FormatMedium(CVrEngineContext& context, uint32_t sectorCount, uint32_t sectorSize = 512);

    int32_t Open() override;
    int32_t Lock(uint32_t physical) override { return Call("Lock(" + std::to_string(physical) + ")"); }
    int32_t LockForFormat(uint32_t physical) override {
        return Call("LockForFormat(" + std::to_string(physical) + ")");
    }
    int32_t Release(uint32_t physical) override { return Call("Release(" + std::to_string(physical) + ")"); }
    int32_t Unlock(uint32_t physical) override { return Call("Unlock(" + std::to_string(physical) + ")"); }
    int32_t Close() override { return Call("Close"); }
    int32_t Dismount() override { return Call("Dismount"); }
    int32_t WriteSectors(const CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize) override;
    int32_t ReadSectors(CVrByteArray& data, uint32_t count, uint32_t start, uint32_t sectorSize) override;
    int32_t SetDriveLayout(const VrDiskGeometry& geometry, uint32_t hiddenSectors) override;
    int32_t GetDriveGeometry(VrDiskGeometry& geometry) override;
    int32_t FindByPhysicalDrive() override;
    int32_t FindDevice() override { return 0; }
    int32_t Execute(const CVrByteArray& block, uint32_t commandLength, bool isWrite, CVrByteArray& data) override;

    // The sector at a whole-disk address: zeros when never written.
    std::vector<uint8_t> Sector(uint32_t sector) const;
    // The calls other than sector transfers, in order.
    std::vector<std::string> Controls() const;

    uint32_t sectorCount;
    uint32_t sectorSize;
    // Every call: "Unlock(0)", "Write 0+1" (start and count as sent), ...
    std::vector<std::string> log;
    // Calls (as logged, transfers by their first word) that fail, with their code.
    std::map<std::string, int32_t> failures;
    // A whole-disk sector whose reads come back with its first byte inverted.
    int64_t corruptSector = -1;
    // Every sector written, by whole-disk address.
    std::map<uint32_t, std::vector<uint8_t>> sectors;
    // The geometry reported and the layout last set.
    VrDiskGeometry diskGeometry;
    VrDiskGeometry layoutGeometry;
    uint32_t layoutHiddenSectors = 0;

private:
    int32_t Call(const std::string& entry);
    uint32_t Base() const { return m_onDisk ? 0 : m_volumeStart; }

    bool m_onDisk = false;
    uint32_t m_volumeStart = 0;
};
