#include "platform/sim/player/SimBoot.h"

#include <algorithm>

#include "platform/sim/player/SimCrc32.h"
#include "platform/sim/player/SimLittleEndian.h"

namespace {

const size_t kCrcLength = 4;

const SimLogicalDrive* FirmwareDrive(const SimPlayerState& state) {
    for (const SimLogicalDrive& drive : state.drives)
        if (drive.type == SimLogicalDrive::kSystemType && drive.tag == kSimMassStorageTag) return &drive;
    return nullptr;
}

}  // namespace

bool SimIsWholeImage(const BYTE* data, size_t length) {
    if (length <= kCrcLength) return false;
    const size_t body = length - kCrcLength;
    return SimCrc32(0, data, body) == SimGet32(data + body);
}

SimPlayerMode SimBootMode(const SimPlayerState& state) {
    const SimLogicalDrive* drive = FirmwareDrive(state);
    if (!drive || drive->size > state.flash.Size()) return SimPlayerMode::kRecovery;
    std::vector<BYTE> bytes(static_cast<size_t>(drive->size));
    state.flash.Read(drive->offset, bytes.data(), bytes.size());
    auto lastWritten = std::find_if(bytes.rbegin(), bytes.rend(), [](BYTE b) { return b != SimFlashStore::kErased; });
    if (lastWritten == bytes.rend()) return SimPlayerMode::kRecovery;
    const size_t end = bytes.rend() - lastWritten;
    for (size_t length = end; length <= std::min(end + kCrcLength - 1, bytes.size()); ++length)
        if (SimIsWholeImage(bytes.data(), length)) return SimPlayerMode::kMassStorage;
    return SimPlayerMode::kRecovery;
}

bool SimStoreRecoveredFirmware(SimPlayerState& state, const std::vector<BYTE>& image) {
    SimLogicalDrive* drive = const_cast<SimLogicalDrive*>(FirmwareDrive(state));
    if (!drive || drive->size < image.size()) return false;
    state.EraseDrive(*drive);
    state.flash.Write(drive->offset, image.data(), image.size());
    return true;
}
