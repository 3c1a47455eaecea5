#include "updater/format/VrDisk.h"

#include <cstring>

#include "updater/base/VrLittleEndian.h"
#include "updater/base/VrByteArray.h"
#include "updater/base/VrResult.h"

// The size table below and the type thresholds are the prescribed layout, and
// wherever they give a valid volume it is kept exactly. Where a row would give
// a cluster count outside its type's range (other systems tell the FAT type by
// that count alone, so such a volume would be read as another type and
// corrupted), or gives no cluster size at all, the nearest power of two that
// brings the count inside is taken. A medium with too few sectors for its
// type's least cluster count (FAT32 just past 32 MiB, or on larger sectors)
// gets the next smaller type; a FAT16 that the "fat16" option forces is never
// changed but refused with its own code when no cluster size serves it.
// Refused beyond that are sector sizes the boot sector's images do not fit
// and media too small for a single cluster beside the system area.

namespace {

struct ClusterRow {
    uint32_t limit;
    uint8_t sectorsPerCluster;
};

const ClusterRow kFat16Clusters[] = {
    {8400, 0},      {65536, 1},     {131072, 2},    {262144, 4},     {524288, 8},
    {1048576, 16},  {2097152, 32},  {4194304, 64},  {0xFFFFFFFF, 0},
};

const ClusterRow kFat32Clusters[] = {
    {66600, 0},        {131072, 1},       {262144, 2},       {532480, 4},
    {16777216, 8},     {33554432, 16},    {67108864, 32},    {0xFFFFFFFF, 64},
};

const uint8_t kLargeFat32Partition = 0x0C;

const uint8_t kFat12Signature[] = {0xF8, 0xFF, 0xFF};
const uint8_t kFat16Signature[] = {0xF8, 0xFF, 0xFF, 0xFF};
const uint8_t kFat32Signature[] = {0xF8, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F};

template <size_t N>
uint8_t LookUpClusterSize(const ClusterRow (&table)[N], uint32_t sectorCount) {
    for (const ClusterRow& row : table) {
        if (row.limit >= sectorCount) return row.sectorsPerCluster;
    }
    return 0;
}

void PutText(uint8_t* at, const char* text) { std::memcpy(at, text, std::strlen(text)); }

void PutSignature(CVrDisk::SectorImage& image) {
    image[510] = 0x55;
    image[511] = 0xAA;
}

// The cluster counts by which every reader tells FAT12, FAT16 and FAT32 apart,
// and the largest FAT32 count whose cluster numbers stay below the reserved
// values.
const int64_t kLeastClusters[] = {1, 4085, 65525};
const int64_t kMostClusters[] = {4084, 65524, 0x0FFFFFF5};

const uint8_t kLargestClusterShift = 7;  // 128 sectors per cluster

bool IsServedSectorSize(uint32_t size) { return size >= 512 && size <= 4096 && (size & (size - 1)) == 0; }

// The power of two of a cluster size; a size table row of 0 counts as one
// below the smallest cluster.
int Shift(uint8_t sectorsPerCluster) {
    int shift = -1;
    for (uint32_t spc = sectorsPerCluster; spc != 0; spc >>= 1) ++shift;
    return shift;
}

}  // namespace

CVrDisk::CVrDisk(uint32_t sectorCount, uint32_t sectorSize, bool forceFat16)
    : CVrBase("CVrDisk"), m_sectorCount(sectorCount), m_sectorSize(sectorSize) {
    int32_t result = IsServedSectorSize(sectorSize) ? kVrOk : kVrBeyondFat;
    if (result == kVrOk) {
        ChooseFatType(forceFat16);
        result = VrSearchGeometry(sectorCount, m_geometry);
    }
    if (result == kVrOk) {
        m_coveredSectors = m_geometry.CoveredSectors();
        m_tailSectors = sectorCount - m_coveredSectors;
        result = BuildBootArea(forceFat16);
    }
    if (result == kVrOk) result = BuildMbr();
    if (result == kVrOk) {
        m_rootAreaSectors = static_cast<int32_t>(m_fatType == kVrFat32 ? m_volume.sectorsPerCluster
                                                                      : m_volume.rootEntries * 32u / sectorSize);
    }
    SetResult(result);
}

void CVrDisk::ChooseFatType(bool forceFat16) {
    const uint64_t bytes = uint64_t(m_sectorCount) * m_sectorSize;
    if (forceFat16) m_fatType = kVrFat16;
    else if (bytes <= 0x400000) m_fatType = kVrFat12;
    else if (bytes <= 0x2000000) m_fatType = kVrFat16;
    else m_fatType = kVrFat32;
}

// Cluster counts as readers count them, so that they see the type written here.
VrVolumeLayout CVrDisk::PlanVolume(int16_t type, uint8_t sectorsPerCluster) const {
    VrVolumeLayout v;
    const bool fat32 = type == kVrFat32;
    v.partitionStart = m_geometry.sectorsPerTrack;
    v.partitionSectors = m_coveredSectors - m_geometry.sectorsPerTrack;
    v.sectorsPerCluster = sectorsPerCluster;
    v.reservedSectors = fat32 ? 32 : 1;
    v.fatCount = 2;
    v.rootEntries = fat32 ? 0 : 512;
    v.rootDirectorySectors = (v.rootEntries * 32u + m_sectorSize - 1) / m_sectorSize;
    // Two bytes per entry, four for FAT32: generous for FAT12 and for larger
    // sectors, never short. The sum is taken in 64 bits so that it does not
    // wrap for the largest media.
    const uint32_t t1 = v.partitionSectors - v.rootDirectorySectors - v.reservedSectors;
    uint32_t t2 = sectorsPerCluster * 256u + 2;
    if (fat32) t2 /= 2;
    v.sectorsPerFat = static_cast<uint32_t>((uint64_t(t1) + t2 - 1) / t2);
    const int64_t dataSectors = int64_t(v.partitionSectors) - v.reservedSectors -
                                int64_t(v.fatCount) * v.sectorsPerFat - v.rootDirectorySectors;
    v.clusterCount = dataSectors > 0 ? dataSectors / sectorsPerCluster : 0;
    return v;
}

uint8_t CVrDisk::ChooseClusterSize(int16_t type) const {
    uint8_t row = 8;
    if (type == kVrFat16) row = LookUpClusterSize(kFat16Clusters, m_sectorCount);
    else if (type == kVrFat32) row = LookUpClusterSize(kFat32Clusters, m_sectorCount);
    uint8_t chosen = 0;
    int distance = 0;
    for (uint8_t shift = 0; shift <= kLargestClusterShift; ++shift) {
        const uint8_t sectorsPerCluster = static_cast<uint8_t>(1u << shift);
        const int64_t clusters = PlanVolume(type, sectorsPerCluster).clusterCount;
        if (clusters < kLeastClusters[type] || clusters > kMostClusters[type]) continue;
        const int away = shift > Shift(row) ? shift - Shift(row) : Shift(row) - shift;
        if (chosen == 0 || away < distance) chosen = sectorsPerCluster, distance = away;
    }
    return chosen;
}

int32_t CVrDisk::BuildBootArea(bool forceFat16) {
    uint8_t sectorsPerCluster = ChooseClusterSize(m_fatType);
    while (sectorsPerCluster == 0 && !forceFat16 && m_fatType != kVrFat12) {
        m_fatType = static_cast<int16_t>(m_fatType - 1);
        sectorsPerCluster = ChooseClusterSize(m_fatType);
    }
    if (sectorsPerCluster == 0) return forceFat16 ? kVrFat16CannotHold : kVrBeyondFat;
    m_volume = PlanVolume(m_fatType, sectorsPerCluster);
    BuildBootSector();
    if (m_fatType == kVrFat32) BuildFat32Sectors();
    return kVrOk;
}

void CVrDisk::BuildBootSector() {
    const VrVolumeLayout& v = m_volume;
    uint8_t* b = m_bootSector.data();
    b[0] = 0xEB, b[1] = 0x3E, b[2] = 0x90;
    PutText(b + 3, "MSWIN4.1");
    VrPutLe16(b + 11, static_cast<uint16_t>(m_sectorSize));
    b[13] = v.sectorsPerCluster;
    VrPutLe16(b + 14, v.reservedSectors);
    b[16] = v.fatCount;
    VrPutLe16(b + 17, v.rootEntries);
    const bool small = v.partitionSectors <= 0x2000000 / m_sectorSize && v.partitionSectors < 65536;
    VrPutLe16(b + 19, static_cast<uint16_t>(small ? v.partitionSectors : 0));
    b[21] = 0xF8;
    VrPutLe16(b + 24, m_geometry.sectorsPerTrack);
    VrPutLe16(b + 26, m_geometry.heads);
    VrPutLe32(b + 28, v.partitionStart);
    VrPutLe32(b + 32, small ? 0 : v.partitionSectors);
    // The volume serial number and the 11 label bytes stay zero: the player
    // has always been given them so.
    if (m_fatType == kVrFat32) {
        VrPutLe32(b + 36, v.sectorsPerFat);
        VrPutLe32(b + 44, 2);  // the root directory's cluster
        VrPutLe16(b + 48, 1);  // FSInfo sector
        VrPutLe16(b + 50, 6);  // backup boot sector
        b[64] = 0x80;
        b[66] = 0x29;
        PutText(b + 82, "FAT32   ");
    } else {
        VrPutLe16(b + 22, static_cast<uint16_t>(v.sectorsPerFat));
        b[36] = 0x80;
        b[38] = 0x29;
        PutText(b + 54, m_fatType == kVrFat12 ? "FAT12   " : "FAT16   ");
    }
    PutSignature(m_bootSector);
}

void CVrDisk::BuildFat32Sectors() {
    uint8_t* f = m_fsInfo.data();
    VrPutLe32(f + 0, 0x41615252);
    VrPutLe32(f + 484, 0x61417272);
    VrPutLe32(f + 488, 0xFFFFFFFF);  // free clusters: unknown
    VrPutLe32(f + 492, 0xFFFFFFFF);  // next free cluster: unknown
    VrPutLe32(f + 508, 0xAA550000);
    PutSignature(m_thirdBootSector);
}

int32_t CVrDisk::BuildMbr() {
    const VrVolumeLayout& v = m_volume;
    VrChsAddress first, last;
    int32_t result = FindChs(v.partitionStart + 1, first);
    if (result == kVrOk) result = FindChs(v.partitionStart + v.partitionSectors, last);
    if (result != kVrOk) return result;
    uint8_t* entry = m_mbr.data() + 446;
    entry[0] = 0x80;
    VrPackChs(first, entry + 1);
    // Large media carry the FAT32 type that tells readers to go by the
    // sector numbers, their CHS fields being saturated.
    static const uint8_t kPartitionTypes[] = {0x01, 0x06, 0x0B};
    entry[4] = m_geometry.large ? kLargeFat32Partition : kPartitionTypes[m_fatType];
    VrPackChs(last, entry + 5);
    VrPutLe32(entry + 8, v.partitionStart);
    VrPutLe32(entry + 12, v.partitionSectors);
    PutSignature(m_mbr);
    return kVrOk;
}

int32_t CVrDisk::WriteFatSignature(CVrByteArray& array) const {
    switch (m_fatType) {
        case kVrFat12: return array.SetBytes(kFat12Signature, sizeof(kFat12Signature), 0);
        case kVrFat16: return array.SetBytes(kFat16Signature, sizeof(kFat16Signature), 0);
        case kVrFat32: return array.SetBytes(kFat32Signature, sizeof(kFat32Signature), 0);
        default: return kVrUnknownFatType;
    }
}

int32_t VrCheckLayout(uint64_t sectorCount, uint32_t sectorSize, bool forceFat16) {
    // A data drive of no sectors is one the new components leave no room for;
    // the forecast gives it, and a medium of no sectors has no geometry either.
    if (sectorCount == 0 || sectorCount > 0xFFFFFFFFu) return kVrBeyondFat;
    return CVrDisk(static_cast<uint32_t>(sectorCount), sectorSize, forceFat16).GetLastResult();
}
