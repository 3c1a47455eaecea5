// The Windows a simulated PC runs, as the tools name it (the environment
// variable CADDIS_WINDOWS of caddis and player-sim): "95", "98", "me",
// "2000" or "xp". A Windows 95, 98 or Me PC comes with its own ASPI host
// adapters before the player's: adapter 0, the IDE controller with a CD-ROM
// drive, and adapter 1, a USB card reader without a card; neither is an
// INT 13 disk.
#pragma once

#include <string>

#include "platform/sim/SimMachine.h"

// False for a name that is none of the five.
bool SimParseWindows(const std::string& name, SimWindows& windows);
std::string SimWindowsName(SimWindows windows);
// Sets the version record and, on 95, 98 and Me, adds the PC's own adapters.
void SimSetUpWindows(SimMachine& machine, SimWindows windows);
