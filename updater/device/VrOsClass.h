// The operating-system class the updater steers by: it chooses the SCSI
// transport and decides whether the administrator test runs. Only the
// major and minor version numbers count.
#pragma once

#include <cstdint>

#include "platform/Host.h"

enum VrOsClass : int32_t {
    kVrOsWin9x = 0,    // 4.0 to 4.10: Windows 95 and 98 (and NT 4.0)
    kVrOsWinMe = 1,    // 4.90 and later 4.x
    kVrOsWin2000 = 2,  // 5.0
    kVrOsWinXp = 3,    // 5.1 and later 5.x
    kVrOsOther = 6,    // everything else, 4.11 to 4.89 included
};

VrOsClass VrClassifyVersion(uint32_t major, uint32_t minor);
// The class of the running system, from its extended version record.
VrOsClass VrGetOsClass(Host& host);
