#include "tests/format/FormatMedium.h"

#include "updater/base/VrResult.h"

FormatMedium::FormatMedium(CVrEngineContext& context, uint32_t sectorCount, uint32_t sectorSize)
    : CVrScsiDevice(context, "FormatMedium"), sectorCount(sectorCount), sectorSize(sectorSize) {
    diskGeometry.cylinders = sectorCount / (255 * 63);
    diskGeometry.mediaType = 11;
    diskGeometry.tracksPerCylinder = 255;
    diskGeometry.sectorsPerTrack = 63;
    diskGeometry.bytesPerSector = sectorSize;
}

int32_t FormatMedium::Call(const std::string& entry) {
    log.push_back(entry);
    const std::string name = entry.substr(0, entry.find(' '));
    auto failure = failures.find(name);
    return failure == failures.end() ? kVrOk : failure->second;
}

int32_t FormatMedium::Open() {
    m_onDisk = false;
    return Call("Open");
}

int32_t FormatMedium::FindByPhysicalDrive() {
    m_onDisk = true;
    return Call("FindByPhysicalDrive");
}

int32_t FormatMedium::GetDriveGeometry(VrDiskGeometry& geometry) {
    geometry = diskGeometry;
    return Call("GetDriveGeometry");
}

int32_t FormatMedium::SetDriveLayout(const VrDiskGeometry& geometry, uint32_t hiddenSectors) {
    layoutGeometry = geometry;
    layoutHiddenSectors = hiddenSectors;
    m_volumeStart = hiddenSectors;
    return Call("SetDriveLayout(" + std::to_string(hiddenSectors) + ")");
}

int32_t FormatMedium::WriteSectors(const CVrByteArray& data, uint32_t count, uint32_t start, uint32_t size) {
    const int32_t result = Call("Write " + std::to_string(start) + "+" + std::to_string(count));
    if (result != kVrOk) return result;
    if (size != sectorSize || data.GetCount() != count * size || Base() + start + count > sectorCount) {
        return kVrWriteFailed;
    }
    for (uint32_t i = 0; i < count; ++i) {
        std::vector<uint8_t>& sector = sectors[Base() + start + i];
        sector.resize(size);
        data.GetBytes(sector.data(), size, i * size);
    }
    return kVrOk;
}

int32_t FormatMedium::ReadSectors(CVrByteArray& data, uint32_t count, uint32_t start, uint32_t size) {
    const int32_t result = Call("Read " + std::to_string(start) + "+" + std::to_string(count));
    if (result != kVrOk) return result;
    if (size != sectorSize || data.GetCount() < count * size || Base() + start + count > sectorCount) {
        return kVrReadFailed;
    }
    for (uint32_t i = 0; i < count; ++i) {
        std::vector<uint8_t> sector = Sector(Base() + start + i);
        if (Base() + start + i == corruptSector) sector[0] = static_cast<uint8_t>(~sector[0]);
        data.SetBytes(sector.data(), size, i * size);
    }
    return kVrOk;
}

// Only READ CAPACITY reaches the unit: the last block and the block size,
// big-endian.
int32_t FormatMedium::Execute(const CVrByteArray& block, uint32_t, bool, CVrByteArray& data) {
    uint8_t operation = 0;
    block.GetBytes(&operation, 1, 0);
    const int32_t result = Call("Command " + std::to_string(operation));
    if (result != kVrOk) return result;
    if (operation != 0x25) return kVrCheckCondition;
    data.SetDword(sectorCount - 1, 0);
    return data.SetDword(sectorSize, 4);
}

std::vector<uint8_t> FormatMedium::Sector(uint32_t sector) const {
    auto found = sectors.find(sector);
    return found == sectors.end() ? std::vector<uint8_t>(sectorSize, 0) : found->second;
}

std::vector<std::string> FormatMedium::Controls() const {
    std::vector<std::string> controls;
    for (const std::string& entry : log) {
        if (entry.rfind("Write", 0) != 0 && entry.rfind("Read", 0) != 0) controls.push_back(entry);
    }
    return controls;
}
