#include "PlayerReport.h"

#include <cstdio>
#include <string>

#include "DataDriveImage.h"

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
    // Image tools take the offset, in bytes from the drive's start.
    if (data) out << "data volume offset: " << FindDataVolume(state, *data).offset << "\n";
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
