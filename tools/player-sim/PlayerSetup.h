// A player as it leaves the factory or the last update: its flash allocated
// the way the updater allocates it (boot manager, data drive, then the other
// components) and the firmware written into the system drives.
#pragma once

#include <string>
#include <vector>

#include "ShippedComponents.h"
#include "platform/sim/player/SimPlayerState.h"

enum class FirmwareChoice {
    kNone,     // nothing allocated
    kOld,      // an older build of each component, in drives a little larger than the shipped images
    kCurrent,  // the shipped images and versions, in drives of their size
};

enum class LayoutChoice {
    kFits,     // every drive takes the shipped image: a plain download can update the player
    kTooSmall, // an older firmware family with a smaller resource image (1 MiB drive, the
               // shipped one is 3 MiB): only a full download can install the new components
};

// `dataSectors` gives the data drive exactly that many sectors; 0 gives it
// the flash the firmware drives leave. A layout too small for the shipped
// components needs the old firmware. Returns an empty text, or why the
// drives do not fit the player.
std::string InstallFirmware(SimPlayerState& state, FirmwareChoice choice,
                            const std::vector<ShippedComponent>& components, uint64_t dataSectors = 0,
                            LayoutChoice layout = LayoutChoice::kFits);

// The player's mass-storage firmware is gone (its drive erased), so it
// starts in recovery mode.
void LoseMassStorageFirmware(SimPlayerState& state);
