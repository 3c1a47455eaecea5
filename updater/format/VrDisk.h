// The whole layout of the player's data drive as plain data: the geometry,
// the one partition, the FAT type and sizes, and every sector image the
// formatter writes besides zeros. It is computed in full before anything is
// written, so a layout can be printed and compared without a device.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "updater/engine/VrBase.h"
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

    // Computes everything in order: FAT type, geometry, boot area, MBR, root
    // area. The first failure stops it and stays as the result code. Media
    // this file system cannot serve give -33 (see VrDisk.cpp).
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
    // Sector sizes the boot sector describes, and byte sizes below 4 GiB.
    int32_t CheckMedium() const;
    void ChooseFatType(bool forceFat16);
    int32_t BuildBootArea();
    int32_t CheckClusterCount();
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
