// The vendor operations that need more than a few lines, each in the file of
// its subject: the logical table (SimTableCommands.cpp) and drive sectors
// (SimSectorCommands.cpp). The 16-byte block is whole when they run.
#pragma once

#include "platform/sim/player/SimCommand.h"

// 0xC0 0x05: a 16-bit count, then entries of drive number, type, tag and a
// 64-bit size, no more than the n of byte 2.
SimScsiStatus SimGetLogicalTable(SimPlayerState& state, const SimCommand& command);
// 0xC1 0x06: byte 2 counts the entries, which the data phase holds at 10i as
// type, tag and a 64-bit size; the phase is 11 bytes per entry, its last
// `count` bytes zero.
SimScsiStatus SimAllocateLogicalMedia(SimPlayerState& state, const SimCommand& command);
// 0xC1 0x07.
SimScsiStatus SimEraseLogicalMedia(SimPlayerState& state);

// 0xC0 0x13 and 0xC1 0x23: drive at byte 2, first sector at 3-10, sector
// count at 11-14, in the drive's own sector size.
SimScsiStatus SimReadDriveSectors(SimPlayerState& state, const SimCommand& command);
SimScsiStatus SimWriteDriveSectors(SimPlayerState& state, const SimCommand& command);
