#include "PlayerSetup.h"

#include <cstdio>

#include "platform/sim/player/SimAllocation.h"
#include "platform/sim/player/SimBoot.h"
#include "platform/sim/player/SimCrc32.h"

namespace {

const uint8_t kDataDriveTag = 0x0A;
// Room an old drive has beyond the shipped image, so that a plain download fits.
const uint64_t kOldDriveSlack = 16 * 1024;
// An older build stands in as the shipped image with its bytes changed, so a
// download visibly rewrites it; like every image it ends in the CRC-32 of
// the bytes before.
const BYTE kOldImageChange = 0x5A;
const size_t kCrcLength = 4;

// The resource drive of the older firmware family, whose resource image was
// a third of today's.
const uint8_t kResourceTag = 0x02;
const uint64_t kSmallResourceDrive = 1 << 20;

void Seal(std::vector<BYTE>& image) {
    const size_t body = image.size() - kCrcLength;
    uint32_t crc = SimCrc32(0, image.data(), body);
    for (size_t i = 0; i < kCrcLength; ++i, crc >>= 8) image[body + i] = static_cast<BYTE>(crc & 0xFF);
}

void MakeOlderBuild(std::vector<BYTE>& image) {
    if (image.size() <= kCrcLength) return;
    const size_t body = image.size() - kCrcLength;
    for (size_t i = 0; i < body; ++i) image[i] ^= kOldImageChange;
    Seal(image);
}

void Shorten(std::vector<BYTE>& image, size_t size) {
    if (image.size() <= size || size <= kCrcLength) return;
    image.resize(size);
    Seal(image);
}

// The version before `version`: the minor number lowered, or where that is 0
// the major, or else the revision.
bool Older(SimVersionRecord& version) {
    if (version.minor > 0)
        --version.minor;
    else if (version.major > 0)
        --version.major;
    else if (version.revision > 0)
        --version.revision;
    else
        return false;
    return true;
}

}  // namespace

std::string InstallFirmware(SimPlayerState& state, FirmwareChoice choice,
                            const std::vector<ShippedComponent>& components, uint64_t dataSectors,
                            LayoutChoice layout) {
    if (layout == LayoutChoice::kTooSmall && choice != FirmwareChoice::kOld)
        return "only the old firmware comes in a layout too small for the shipped components";
    if (choice == FirmwareChoice::kNone) return "";
    std::vector<ShippedComponent> installed = components;
    std::vector<SimAllocationEntry> entries;
    for (ShippedComponent& component : installed) {
        if (choice == FirmwareChoice::kOld) {
            if (!Older(component.productVersion) || !Older(component.componentVersion))
                return component.fileName + ": version 0.0.0 has no older version";
            MakeOlderBuild(component.image);
            if (layout == LayoutChoice::kTooSmall && component.tag == kResourceTag)
                Shorten(component.image, kSmallResourceDrive - kOldDriveSlack);
        }
        SimAllocationEntry entry;
        entry.tag = component.tag;
        entry.size = component.image.size() + (choice == FirmwareChoice::kOld ? kOldDriveSlack : 0);
        entries.push_back(entry);
        if (entries.size() == 1)
            entries.push_back({SimLogicalDrive::kDataType, kDataDriveTag, dataSectors * state.dataSectorSize});
    }
    if (uint16_t refused = SimAllocateDrives(state, entries)) {
        if (dataSectors)
            return "a flash of " + std::to_string(state.flash.Size() >> 20) + " MiB cannot hold a data drive of " +
                   std::to_string(dataSectors) + " sectors besides the firmware";
        char text[96];
        std::snprintf(text, sizeof text, "the player refuses to allocate the firmware drives (device status 0x%03X)",
                      refused);
        return text;
    }

    for (const ShippedComponent& component : installed) {
        for (SimLogicalDrive& drive : state.drives) {
            if (drive.type != SimLogicalDrive::kSystemType || drive.tag != component.tag) continue;
            state.flash.Write(drive.offset, component.image.data(), component.image.size());
            drive.componentVersion = component.componentVersion;
            drive.productVersion = component.productVersion;
        }
    }
    return "";
}

void LoseMassStorageFirmware(SimPlayerState& state) {
    for (SimLogicalDrive& drive : state.drives)
        if (drive.type == SimLogicalDrive::kSystemType && drive.tag == kSimMassStorageTag) state.EraseDrive(drive);
    state.mode = SimPlayerMode::kRecovery;
}
