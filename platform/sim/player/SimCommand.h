// One command as it reaches the player, and the pieces its handlers share.
// The player serves the standard commands the PC uses (INQUIRY, READ
// CAPACITY, READ(10), WRITE(10)) and the vendor set, where 0xC0 reads and
// 0xC1 changes and byte 1 names the operation; all multi-byte fields are
// big-endian.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/sim/player/SimPlayer.h"
#include "platform/sim/player/SimPlayerState.h"
#include "platform/sim/player/SimSense.h"

struct SimCommand {
    const BYTE* cdb = nullptr;
    size_t cdbLength = 0;
    const BYTE* dataOut = nullptr;
    size_t dataOutLength = 0;
    BYTE* dataIn = nullptr;
    size_t dataInCapacity = 0;
};

// Serves `command` on `state`: fills the data-in buffer, changes the state,
// or refuses with a check condition.
SimScsiStatus SimServeCommand(SimPlayerState& state, const SimCommand& command);

SimScsiStatus SimServeStandardCommand(SimPlayerState& state, const SimCommand& command);
// 0xC0 and 0xC1, whose blocks are 16 bytes long.
SimScsiStatus SimServeVendorCommand(SimPlayerState& state, const SimCommand& command);

uint64_t SimGetBigEndian(const BYTE* bytes, size_t width);
void SimPutBigEndian(BYTE* bytes, uint64_t value, size_t width);

SimScsiStatus SimRefuse(const SimSense& sense);
SimScsiStatus SimRefuseWithStatus(uint16_t code);
// A good status with `dataIn` bytes answered.
SimScsiStatus SimGood(size_t dataIn = 0);
// Answers the first `length` bytes of `reply` (or zeros when `reply` is
// null), cut to what the PC's buffer holds.
SimScsiStatus SimAnswer(const SimCommand& command, const BYTE* reply, size_t length);
