// The base of the two device objects through which the updater sees the
// player, in mass-storage mode and in recovery mode: the engine's base object
// plus the updater that owns the device, which gives the host, the product
// configuration, the progress sink and the failure record.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"
#include "updater/engine/VrBase.h"

class CVrUpdater;

class CVrDevice : public CVrBase {
public:
    CVrDevice(CVrUpdater& updater, const char* name) : CVrBase(name), m_updater(updater) {}

protected:
    // Keeps `result` and `systemError` as the device's own and enters the
    // device in the updater's failure record, so the report can name it.
    int32_t Fail(int32_t result, DWORD systemError);

    CVrUpdater& m_updater;
};
