// `create --data-files DIR`: the data drive formatted as a desktop
// formatter would, with the files of DIR in its root folder.
#pragma once

#include <filesystem>
#include <string>

#include "platform/sim/player/SimPlayerState.h"

// Returns an empty text, or what went wrong. Only files are copied: a
// folder inside DIR is refused.
std::string PutFilesOnDataDrive(SimPlayerState& state, const std::filesystem::path& folder);
