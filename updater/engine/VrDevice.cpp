#include "updater/engine/VrDevice.h"

#include "updater/base/VrEngineContext.h"

int32_t CVrDevice::Fail(int32_t result, DWORD systemError) {
    m_result = result;
    m_systemError = systemError;
    m_context.GetErrorRecord().Record(*this);
    return result;
}
