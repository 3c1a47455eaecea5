// The data drive's sectors as a raw image file, for tools that read and
// write FAT volumes on images.
#pragma once

#include <filesystem>
#include <string>

#include "platform/sim/player/SimPlayerState.h"

// Where the volume lies in the data drive: the first partition of the
// drive's partition table, or the whole drive when it holds none (a FAT boot
// sector in its first sector, or nothing).
struct DataVolume {
    uint64_t offset = 0;  // bytes from the drive's start
    uint64_t size = 0;
};
DataVolume FindDataVolume(const SimPlayerState& state, const SimLogicalDrive& data);

// All return an empty text, or what went wrong. An imported image must be
// exactly the drive's size.
std::string ExportDataDrive(const SimPlayerState& state, const std::filesystem::path& image);
std::string ImportDataDrive(SimPlayerState& state, const std::filesystem::path& image);
// The volume alone, as a sparse image for FAT tools: what the flash holds is
// written, and flash that was never written (erased flash) is left as holes,
// which read as zeros. A volume of many GiB so costs what its file system
// holds; no FAT tool looks into clusters that hold no file.
std::string ExportDataVolume(const SimPlayerState& state, const std::filesystem::path& image);
