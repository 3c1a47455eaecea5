#include "fuzz/Transport9x.h"

#include "updater/base/VrResult.h"

int32_t RunTransport9x(CVrScsi_9x& transport) {
    if (transport.GetLastResult() != kVrOk) return transport.GetLastResult();
    const int32_t found = transport.FindDevice();
    if (found != kVrOk) return found;
    VrDiskGeometry geometry;
    transport.Open();
    transport.GetDriveGeometry(geometry);
    transport.Lock(0);
    transport.Unlock(0);
    transport.Close();
    return found;
}
