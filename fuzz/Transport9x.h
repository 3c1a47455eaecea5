// What the 9x transport target asks, in order, so that the seeds recorded
// on the simulated PC replay as they were recorded: the ASPI layer's
// status, the search for the player over the host adapters (inquiry, the
// player query, the INT 13 drive and the drive map, or the registry's
// device keys), then the device parameters and a lock and unlock of its
// volume through "\\.\vwin32".
#pragma once

#include "updater/device/VrScsi_9x.h"

// The result of the search; the other requests run only when it succeeded.
int32_t RunTransport9x(CVrScsi_9x& transport);
