// What `player-sim pc` prints: how the player shows on the simulated PC
// that caddis plugs it into, running the Windows that CADDIS_WINDOWS names
// (XP when it is not set). One "key: value" per line, like `info`.
#pragma once

#include <ostream>

#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimPlayerState.h"

void PrintPlayerOnPc(const SimPlayerState& state, SimWindows windows, std::ostream& out);
