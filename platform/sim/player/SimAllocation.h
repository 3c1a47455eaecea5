// How the player divides its flash when the PC allocates the media: the
// drives are laid out one after the other in the order the PC lists them,
// numbered in that order from 0, each rounded up to whole sectors of the
// size the player gives its kind of drive.
//
// A data drive of size 0 takes all the flash the system drives leave, in
// whole sectors: the updater sends 0 when it re-partitions a player whose
// drives it has not read first.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/sim/player/SimPlayerState.h"

struct SimAllocationEntry {
    uint8_t type = SimLogicalDrive::kSystemType;
    uint8_t tag = 0;
    uint64_t size = 0;
};

// Replaces the state's (empty) table by the drives of `entries`. Returns 0,
// or the device status code refusing the allocation, leaving the state as it
// was.
uint16_t SimAllocateDrives(SimPlayerState& state, const std::vector<SimAllocationEntry>& entries);
