// The whole layout of the player's data drive as plain data: the geometry,
// the one partition, the FAT type and sizes, and every sector image the
// formatter writes besides zeros. It is computed in full before anything is
// written, so a layout can be printed and compared without a device.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "updater/base/VrBase.h"
#include "updater/format/VrChsGeometry.h"

class CVrByteArray;

enum VrFatType : int16_t {
    kVrFat12 = 0,
    kVrFat16 = 1,
    kVrFat32 = 2,
    kVrFatUndecided = 255,
};

// The volume's numbers as the boot sector states them, and the cluster count
// that follows from them.
struct VrVolumeLayout {
    uint32_t partitionStart = 0;
    uint32_t partitionSectors = 0;
    uint8_t sectorsPerCluster = 0;
    uint16_t reservedSectors = 0;
    uint8_t fatCount = 0;
    uint16_t rootEntries = 0;
    uint32_t rootDirectorySectors = 0;
    uint32_t sectorsPerFat = 0;
    int64_t clusterCount = 0;
};

class CVrDisk : public CVrBase {
public:
    using SectorImage = std::array<uint8_t, 512>;

    // Computes everything in order: FAT type, geometry, cluster size and boot
    // area, MBR, root area. The first failure stops it and stays as the
    // result code: -35 for a sector size other than 512, 1024, 2048 or 4096
    // bytes or a medium too small for any FAT volume, -38 when FAT16 is
    // forced on a medium it cannot hold, -33 for a medium of 0 sectors.
    CVrDisk(uint32_t sectorCount, uint32_t sectorSize, bool forceFat16);

    const SectorImage& GetMbr() const { return m_mbr; }
    const SectorImage& GetBootSector() const { return m_bootSector; }
    const SectorImage& GetFsInfo() const { return m_fsInfo; }
    const SectorImage& GetThirdBootSector() const { return m_thirdBootSector; }
    int32_t GetRootAreaSectors() const { return m_rootAreaSectors; }
    uint32_t GetTailSectors() const { return m_tailSectors; }
    uint32_t GetCoveredSectors() const { return m_coveredSectors; }
    int16_t GetFatType() const { return m_fatType; }
    const VrChsGeometry& GetGeometry() const { return m_geometry; }
    const VrVolumeLayout& GetVolume() const { return m_volume; }
    uint32_t GetSectorCount() const { return m_sectorCount; }
    uint32_t GetSectorSize() const { return m_sectorSize; }

    // The first bytes of a FAT copy into `array`: -39 for an unknown type.
    int32_t WriteFatSignature(CVrByteArray& array) const;
    // -34 when the sector (counted from 1) lies beyond the geometry.
    int32_t FindChs(uint32_t sector, VrChsAddress& address) const { return VrFindChs(m_geometry, sector, address); }

    // Every field, one per line, for tests and people.
    std::string Describe() const;

private:
    void ChooseFatType(bool forceFat16);
    // The volume's numbers for `type` with `sectorsPerCluster` on the partition.
    VrVolumeLayout PlanVolume(int16_t type, uint8_t sectorsPerCluster) const;
    // The cluster size of the size table where it keeps the cluster count
    // inside the type's range, otherwise the nearest power of two that does;
    // 0 when none does.
    uint8_t ChooseClusterSize(int16_t type) const;
    int32_t BuildBootArea(bool forceFat16);
    void BuildBootSector();
    void BuildFat32Sectors();
    int32_t BuildMbr();

    uint32_t m_sectorCount;
    uint32_t m_sectorSize;
    SectorImage m_mbr = {};
    SectorImage m_bootSector = {};
    SectorImage m_fsInfo = {};
    SectorImage m_thirdBootSector = {};
    int32_t m_rootAreaSectors = 0;
    VrChsGeometry m_geometry;
    uint32_t m_tailSectors = 0;
    uint32_t m_coveredSectors = 0;
    int16_t m_fatType = kVrFatUndecided;
    VrVolumeLayout m_volume;
};

// Whether a medium of `sectorCount` sectors, as many as a player may report,
// gets a layout: 0, or the code CVrDisk refuses it with; -35 for more sectors
// than a FAT volume can number (32 bits) and for none at all.
int32_t VrCheckLayout(uint64_t sectorCount, uint32_t sectorSize, bool forceFat16);
