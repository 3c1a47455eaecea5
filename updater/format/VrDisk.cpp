#include "updater/format/VrDisk.h"

#include <cstring>

#include "updater/device/VrLittleEndian.h"
#include "updater/engine/VrByteArray.h"
#include "updater/engine/VrResult.h"

// Every medium this file system cannot serve is refused with -33, the code
// that already says "no disk layout fits this medium", before the formatter
// touches a sector: -39 would blame an unknown FAT type, which is an internal
// fault rather than a property of the medium. Refused are media of 4 GiB or
// more (sector numbers and byte sizes are 32-bit), sector sizes the boot
// sector cannot describe, the cluster table's rows of 0 sectors per cluster,
// and layouts whose cluster count lies outside their FAT type's range: other
// systems tell the FAT type by that count alone, so such a volume would be
// read as another type and corrupted.

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

const uint8_t kFat12Signature[] = {0xF8, 0xFF, 0xFF};
const uint8_t kFat16Signature[] = {0xF8, 0xFF, 0xFF, 0xFF};
const uint8_t kFat32Signature[] = {0xF8, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F};

// The cluster counts by which every reader tells FAT12, FAT16 and FAT32 apart.
const int64_t kLargestFat12Clusters = 4084;
const int64_t kLargestFat16Clusters = 65524;

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

bool IsServedSectorSize(uint32_t size) { return size >= 512 && size <= 4096 && (size & (size - 1)) == 0; }

}  // namespace

CVrDisk::CVrDisk(uint32_t sectorCount, uint32_t sectorSize, bool forceFat16)
    : CVrBase("CVrDisk"), m_sectorCount(sectorCount), m_sectorSize(sectorSize) {
    int32_t result = CheckMedium();
    if (result == kVrOk) {
        ChooseFatType(forceFat16);
        result = VrSearchGeometry(sectorCount, m_geometry);
    }
    if (result == kVrOk) {
        m_coveredSectors = m_geometry.CoveredSectors();
        m_tailSectors = sectorCount - m_coveredSectors;
        result = BuildBootArea();
    }
    if (result == kVrOk) result = BuildMbr();
    if (result == kVrOk) {
        m_rootAreaSectors = static_cast<int32_t>(m_fatType == kVrFat32 ? m_volume.sectorsPerCluster
                                                                      : m_volume.rootEntries * 32u / sectorSize);
    }
    SetResult(result);
}

int32_t CVrDisk::CheckMedium() const {
    if (!IsServedSectorSize(m_sectorSize)) return kVrNoGeometry;
    return uint64_t(m_sectorCount) * m_sectorSize > 0xFFFFFFFFu ? kVrNoGeometry : kVrOk;
}

void CVrDisk::ChooseFatType(bool forceFat16) {
    const uint32_t bytes = m_sectorCount * m_sectorSize;
    if (forceFat16) m_fatType = kVrFat16;
    else if (bytes <= 0x400000) m_fatType = kVrFat12;
    else if (bytes <= 0x2000000) m_fatType = kVrFat16;
    else m_fatType = kVrFat32;
}

int32_t CVrDisk::BuildBootArea() {
    VrVolumeLayout& v = m_volume;
    const bool fat32 = m_fatType == kVrFat32;
    v.partitionStart = m_geometry.sectorsPerTrack;
    v.partitionSectors = m_coveredSectors - m_geometry.sectorsPerTrack;
    if (m_fatType == kVrFat12) v.sectorsPerCluster = 8;
    else if (fat32) v.sectorsPerCluster = LookUpClusterSize(kFat32Clusters, m_sectorCount);
    else v.sectorsPerCluster = LookUpClusterSize(kFat16Clusters, m_sectorCount);
    if (v.sectorsPerCluster == 0) return kVrNoGeometry;
    v.reservedSectors = fat32 ? 32 : 1;
    v.fatCount = 2;
    v.rootEntries = fat32 ? 0 : 512;
    v.rootDirectorySectors = (v.rootEntries * 32u + m_sectorSize - 1) / m_sectorSize;
    // Two bytes per entry, four for FAT32: generous for FAT12 and for larger
    // sectors, never short.
    const uint32_t t1 = v.partitionSectors - v.rootDirectorySectors - v.reservedSectors;
    uint32_t t2 = v.sectorsPerCluster * 256u + 2;
    if (fat32) t2 /= 2;
    v.sectorsPerFat = (t1 + t2 - 1) / t2;
    int32_t result = CheckClusterCount();
    if (result != kVrOk) return result;
    BuildBootSector();
    if (fat32) BuildFat32Sectors();
    return kVrOk;
}

// Counted as readers count it, so that they see the type written here.
int32_t CVrDisk::CheckClusterCount() {
    VrVolumeLayout& v = m_volume;
    const int64_t dataSectors = int64_t(v.partitionSectors) - v.reservedSectors -
                                int64_t(v.fatCount) * v.sectorsPerFat - v.rootDirectorySectors;
    v.clusterCount = dataSectors > 0 ? dataSectors / v.sectorsPerCluster : 0;
    bool fits = false;
    switch (m_fatType) {
        case kVrFat12: fits = v.clusterCount >= 1 && v.clusterCount <= kLargestFat12Clusters; break;
        case kVrFat16: fits = v.clusterCount > kLargestFat12Clusters && v.clusterCount <= kLargestFat16Clusters; break;
        default: fits = v.clusterCount > kLargestFat16Clusters; break;
    }
    return fits ? kVrOk : kVrNoGeometry;
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
    static const uint8_t kPartitionTypes[] = {0x01, 0x06, 0x0B};
    entry[4] = kPartitionTypes[m_fatType];
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
