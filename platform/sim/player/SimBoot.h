// How the player starts. Its boot ROM runs the mass-storage firmware from
// the system drive tagged 0x01 when that drive holds a whole image: the
// drive's written bytes (up to its last byte that is not erased flash, give
// or take the up to three 0xFF bytes a checksum may end in) close with the
// CRC-32 of the bytes before them, as every shipped image does. A drive that
// is missing, erased, or holds an image cut short or damaged leaves the
// player in recovery mode.
//
// The ROM finds the firmware drive through its own copy of the drive's
// place, so a table the player refuses to report (tableDamaged) does not
// stop it from starting.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/sim/player/SimPlayerState.h"

const uint8_t kSimMassStorageTag = 0x01;

// True when the last four of `length` bytes are the CRC-32 of those before.
bool SimIsWholeImage(const BYTE* data, size_t length);

SimPlayerMode SimBootMode(const SimPlayerState& state);

// A recovery stream brought a whole mass-storage image: the player erases
// its firmware drive and writes the image there when the drive exists and
// holds it, and then runs it (the versions stamped on the drive are gone
// with the erase). With no such drive (the media were erased) it runs the
// image from memory only: it comes up in mass-storage mode this once, and
// starts in recovery mode again unless the PC rebuilds its drives. Returns
// whether the image was stored.
bool SimStoreRecoveredFirmware(SimPlayerState& state, const std::vector<BYTE>& image);
