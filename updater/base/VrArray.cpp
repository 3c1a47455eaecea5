#include "updater/base/VrArray.h"

// The one copy of the 32-bit array's code and virtual table.
template class CVrFixedArray<uint32_t>;
