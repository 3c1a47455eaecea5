// Memory blocks of a process on the simulated PC.
#include "platform/sim/SimHost.h"

HGLOBAL SimHost::GlobalAlloc(UINT flags, SIZE_T bytes) {
    if ((flags & ~GMEM_ZEROINIT) != GMEM_FIXED) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DWORD error = ERROR_SUCCESS;
    void* block = machine_.LowMemory().Allocate(bytes, error);
    if (!block) SetLastError(error);
    return block;
}

HGLOBAL SimHost::GlobalFree(HGLOBAL block) {
    if (!block || machine_.LowMemory().Free(block)) return nullptr;
    SetLastError(ERROR_INVALID_HANDLE);
    return block;
}
