// The base of the two device objects through which the updater sees the
// player, in mass-storage mode and in recovery mode: the engine's base object
// plus the context the updater hands down, which gives the host, the product
// configuration, the progress sink and the failure record.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"
#include "updater/base/VrBase.h"

class CVrEngineContext;

class CVrDevice : public CVrBase {
public:
    CVrDevice(CVrEngineContext& context, const char* name) : CVrBase(name), m_context(context) {}

protected:
    // Keeps `result` and `systemError` as the device's own and enters the
    // device in the failure record, so the report can name it.
    int32_t Fail(int32_t result, DWORD systemError);

    CVrEngineContext& m_context;
};
