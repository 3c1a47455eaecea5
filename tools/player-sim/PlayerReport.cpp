#include "PlayerReport.h"

#include <cstdio>
#include <string>

namespace {

std::string Trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string Version(const SimVersionRecord& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

// Where the volume lies in the data drive, in bytes: the first partition of
// its partition table, or 0 when the drive holds no table (a volume from
// sector 0, or nothing yet). Image tools take it as an offset.
uint64_t VolumeOffset(const SimPlayerState& state, const SimLogicalDrive& data) {
    if (data.size < 512) return 0;
    BYTE sector[512];
    state.flash.Read(data.offset, sector, sizeof sector);
    const BYTE* first = sector + 0x1BE;
    bool table = sector[510] == 0x55 && sector[511] == 0xAA && first[4] != 0;
    uint32_t start = first[8] | (first[9] << 8) | (first[10] << 16) | (uint32_t(first[11]) << 24);
    // A FAT boot sector also ends in 0x55 0xAA; its jump instruction tells it apart.
    bool bootSector = sector[0] == 0xEB || sector[0] == 0xE9;
    return table && !bootSector ? uint64_t(start) * data.sectorSize : 0;
}

}  // namespace

void PrintPlayerInfo(const SimPlayerState& state, std::ostream& out) {
    out << "mode: " << (state.mode == SimPlayerMode::kRecovery ? "recovery" : "mass-storage") << "\n";
    out << "vendor: " << Trimmed(state.identity.vendor) << "\n";
    out << "product: " << Trimmed(state.identity.product) << "\n";
    out << "revision: " << Trimmed(state.identity.revision) << "\n";
    out << "chip revision: " << Hex(state.chipRevision, 4) << "\n";
    out << "flash size: " << state.flash.Size() << "\n";
    out << "flash written: " << state.flash.Chunks().size() * SimFlashStore::kChunkSize << "\n";
    out << "table: " << (state.tableDamaged ? "unreadable" : "ok") << "\n";
    out << "drive count: " << state.drives.size() << "\n";
    const SimLogicalDrive* data = state.DataDrive();
    out << "data drive: " << (data ? std::to_string(data->number) : "none") << "\n";
    if (data) out << "data volume offset: " << VolumeOffset(state, *data) << "\n";
    for (const SimLogicalDrive& drive : state.drives) {
        const std::string key = "drive " + std::to_string(drive.number) + " ";
        out << key << "type: " << (drive.type == SimLogicalDrive::kDataType ? "data" : "system") << "\n";
        out << key << "tag: " << Hex(drive.tag, 2) << "\n";
        out << key << "size: " << drive.size << "\n";
        out << key << "sector size: " << drive.sectorSize << "\n";
        out << key << "component version: " << Version(drive.componentVersion) << "\n";
        out << key << "product version: " << Version(drive.productVersion) << "\n";
    }
}
