// The layout as text, one "name: value" line per field, so that a test
// failure or a person sees at once which number differs.
#include <sstream>

#include "updater/format/VrDisk.h"

namespace {

const char* FatTypeName(int16_t type) {
    switch (type) {
        case kVrFat12: return "FAT12";
        case kVrFat16: return "FAT16";
        case kVrFat32: return "FAT32";
        default: return "undecided";
    }
}

}  // namespace

std::string CVrDisk::Describe() const {
    std::ostringstream out;
    const VrVolumeLayout& v = m_volume;
    out << "result: " << m_result << '\n'
        << "medium: " << m_sectorCount << " sectors of " << m_sectorSize << " bytes\n"
        << "fat type: " << FatTypeName(m_fatType) << '\n'
        << "geometry: " << m_geometry.cylinders << " cylinders x " << m_geometry.heads << " heads x "
        << unsigned(m_geometry.sectorsPerTrack) << " sectors\n"
        << "covered sectors: " << m_coveredSectors << '\n'
        << "tail sectors: " << m_tailSectors << '\n'
        << "partition: from " << v.partitionStart << ", " << v.partitionSectors << " sectors, type 0x" << std::hex
        << unsigned(m_mbr[450]) << std::dec << '\n'
        << "sectors per cluster: " << unsigned(v.sectorsPerCluster) << '\n'
        << "reserved sectors: " << v.reservedSectors << '\n'
        << "fats: " << unsigned(v.fatCount) << " of " << v.sectorsPerFat << " sectors\n"
        << "root entries: " << v.rootEntries << " (" << v.rootDirectorySectors << " sectors)\n"
        << "root area sectors: " << m_rootAreaSectors << '\n'
        << "clusters: " << v.clusterCount << '\n';
    return out.str();
}
