// The player's requests whose replies the player-replies target reads, in
// the order of the input's first byte; the seeds record a reply to each.
#pragma once

#include <cstdint>

enum class PlayerRequest : uint8_t {
    kLogicalTable,
    kSectorSize,
    kDriveVersion,
    kMediaSize,
    kIsPlayer,
    kInquiry,
    kCapacity,
    kChipRevision,
};
const uint8_t kPlayerRequestCount = 8;
