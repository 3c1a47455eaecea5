// The data drive's sectors as a raw image file, for tools that read and
// write FAT volumes on images.
#pragma once

#include <filesystem>
#include <string>

#include "platform/sim/player/SimPlayerState.h"

// Both return an empty text, or what went wrong. An imported image must be
// exactly the drive's size.
std::string ExportDataDrive(const SimPlayerState& state, const std::filesystem::path& image);
std::string ImportDataDrive(SimPlayerState& state, const std::filesystem::path& image);
