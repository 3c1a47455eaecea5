// Quell's drive search for DetectPlayerDrives: QGetUSbDrivers of the Quell
// library the program is linked with (the shipped one, or its test build in
// the Wine tests).
#pragma once

#include "manager/app/PlayerDrives.h"

PlayerDriveQuery QuellDriveQuery();
