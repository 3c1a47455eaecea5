// What `player-sim info` prints: one fact per line, "key: value", so that
// scripts can grep for the line they need.
#pragma once

#include <ostream>

#include "platform/sim/player/SimPlayerState.h"

void PrintPlayerInfo(const SimPlayerState& state, std::ostream& out);
