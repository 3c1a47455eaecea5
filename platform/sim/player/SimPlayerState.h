// Everything the player keeps across a power cycle: who it is, how its flash
// is divided into logical drives, the version records of the drives and the
// flash itself. The state file holds exactly this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/player/SimFlashStore.h"

enum class SimPlayerMode : uint8_t {
    kMassStorage = 0,  // its firmware runs and it is a removable drive
    kRecovery = 1,     // no good mass-storage firmware: only the recovery driver reaches it
};

struct SimVersionRecord {
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t revision = 0;

    bool operator==(const SimVersionRecord& other) const {
        return major == other.major && minor == other.minor && revision == other.revision;
    }
};

// One entry of the player's logical table, with where the drive lies in the
// flash and the two version records the PC stamps on it.
struct SimLogicalDrive {
    static constexpr uint8_t kDataType = 0;
    static constexpr uint8_t kSystemType = 1;

    uint8_t number = 0;
    uint8_t type = kSystemType;
    uint8_t tag = 0;
    uint64_t size = 0;  // bytes, whole sectors
    uint32_t sectorSize = 0;
    uint64_t offset = 0;  // first byte in the flash
    SimVersionRecord componentVersion;
    SimVersionRecord productVersion;

    uint64_t SectorCount() const { return size / sectorSize; }
};

// INQUIRY's identification fields, blank-padded to their widths.
struct SimPlayerIdentity {
    std::string vendor = "Lumo    ";            // 8
    std::string product = "MP3 Audio Player";  // 16
    std::string revision = "1.00";             // 4
};

struct SimPlayerState {
    static constexpr size_t kMaxDrives = 10;
    static constexpr uint64_t kMaxFlashSize = uint64_t(64) << 30;

    SimPlayerIdentity identity;
    uint16_t chipRevision = 0x0003;
    SimPlayerMode mode = SimPlayerMode::kMassStorage;
    // A damaged logical table: the player refuses to report it until the
    // media is erased.
    bool tableDamaged = false;
    // Sector sizes the player gives the drives it allocates; the PC has to
    // ask for each drive's.
    uint32_t dataSectorSize = 512;
    uint32_t systemSectorSize = 2048;
    std::vector<SimLogicalDrive> drives;  // in table order
    SimFlashStore flash;

    explicit SimPlayerState(uint64_t flashSize = 0) : flash(flashSize) {}

    const SimLogicalDrive* FindDrive(uint8_t number) const;
    SimLogicalDrive* FindDrive(uint8_t number) {
        return const_cast<SimLogicalDrive*>(static_cast<const SimPlayerState*>(this)->FindDrive(number));
    }
    // The first drive of type 0: the SCSI unit's medium.
    const SimLogicalDrive* DataDrive() const;
    SimLogicalDrive* DataDrive() {
        return const_cast<SimLogicalDrive*>(static_cast<const SimPlayerState*>(this)->DataDrive());
    }

    void ReadSectors(const SimLogicalDrive& drive, uint64_t first, uint64_t count, BYTE* buffer) const;
    void WriteSectors(const SimLogicalDrive& drive, uint64_t first, uint64_t count, const BYTE* data);
    // Erasing a drive clears its version records too: they live in the drive.
    void EraseDrive(SimLogicalDrive& drive);
    // All drives gone, the table empty (and sound again), the flash erased.
    void EraseMedia();
};

// Sector sizes the player can give a drive: powers of two from 512 to 64 KiB.
bool SimValidSectorSize(uint32_t size);
