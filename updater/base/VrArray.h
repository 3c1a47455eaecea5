// The engine's array of 32-bit values (the message box keeps its tab
// positions in one).
#pragma once

#include <cstdint>

#include "updater/base/VrFixedArray.h"

extern template class CVrFixedArray<uint32_t>;

class CVrArray : public CVrFixedArray<uint32_t> {
public:
    explicit CVrArray(uint32_t count, const char* name = "CVrArray")
        : CVrFixedArray<uint32_t>(count, name) {}
};
