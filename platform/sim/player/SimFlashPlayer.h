// The player as a device: its state (identity, flash, logical table), the
// commands it serves on that state one at a time, and the faults a test asks
// of it.
#pragma once

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

#include "platform/sim/player/SimFaults.h"
#include "platform/sim/player/SimPlayer.h"
#include "platform/sim/player/SimPlayerState.h"

class SimFlashPlayer : public SimPlayer {
public:
    explicit SimFlashPlayer(SimPlayerState state);

    SimScsiStatus Execute(const BYTE* cdb, size_t cdbLength, const BYTE* dataOut, size_t dataOutLength, BYTE* dataIn,
                          size_t dataInCapacity) override;
    bool Connected() const override { return faults_.Connected(); }

    uint32_t MediumSectorSize() const override;
    uint64_t MediumSectorCount() const override;
    DWORD ReadMedium(uint64_t firstSector, uint32_t count, BYTE* buffer) override;
    DWORD WriteMedium(uint64_t firstSector, uint32_t count, const BYTE* buffer) override;

    SimFaults& Faults() { return faults_; }
    // For setting up and inspecting the player while no command runs.
    SimPlayerState& State() { return state_; }
    // Changes the state between commands, as the player's own firmware does.
    void WithState(const std::function<void(SimPlayerState&)>& change);
    // The state file; an empty text on success, else what went wrong.
    std::string Save(const std::filesystem::path& file) const;

private:
    // Admits a medium transfer and checks its run against the data drive:
    // ERROR_SUCCESS with the drive, or the error the PC is to see.
    DWORD BeginMediumTransfer(BYTE operationCode, uint64_t firstSector, uint32_t count,
                              const SimLogicalDrive*& medium);
    // A read-back fault changes the first byte of what was read.
    void CorruptIfWatched(const SimLogicalDrive& drive, BYTE* data, size_t length) const;

    // One command at a time; it guards the state. Faults have their own
    // lock, so a hanging command can always be released.
    mutable std::mutex serving_;
    SimPlayerState state_;
    SimFaults faults_;
};
