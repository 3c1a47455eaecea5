// The player's whole state in one file, so that test runs chain through it
// and scripts can look inside. All numbers little-endian:
//
//   "LUMOPLAY", format version (u32)
//   vendor (8), product (16), revision (4), chip revision (u16), mode (u8),
//   table damaged (u8), data and system sector sizes (u32 each),
//   flash size (u64), drive count (u8), then per drive: number, type, tag
//   (u8 each), sector size (u32), offset and size in the flash (u64 each),
//   component and product version (3 x u16 each)
//   chunk size (u32), chunk count (u64), then per written chunk its index
//   (u64, ascending) and its bytes
//   CRC-32 of everything before it (u32), and nothing after.
//
// Saving writes a temporary file of its own name beside the target and
// renames it over, so a reader never meets half a state and two writers never
// meet in one temporary file. A target that is a symbolic link is written
// through: the file it names gets the state. Two runs that change one player
// hold its SimStateLock from loading to saving.
#pragma once

#include <filesystem>
#include <string>

#include "platform/sim/player/SimPlayerState.h"

// Both return an empty text on success, else what went wrong, naming the file.
std::string SimSavePlayerState(const SimPlayerState& state, const std::filesystem::path& file);
// Refuses a file that is not a state file, is of another format version,
// ends early, has bytes after its end, fails its checksum or describes
// drives that do not fit its flash or overlap; `state` is then left as it was.
std::string SimLoadPlayerState(const std::filesystem::path& file, SimPlayerState& state);
