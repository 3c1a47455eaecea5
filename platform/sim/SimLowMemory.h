// Memory of the simulated PC's programs that other code reaches by a 32-bit
// address, as in a 32-bit process: what GlobalAlloc hands out. Its blocks
// lie below 4 GiB even in a 64-bit test program, so a record that carries
// a block's address in a 32-bit field (the ASPI request, the DOS register
// record) is the same bytes on every build.
//
// The PC's devices reach a block only through Reach, which admits an
// address range only when it lies wholly inside one live block: a request
// that names anything else fails instead of touching stray memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>

#include "platform/WinTypes.h"

class SimLowMemory {
public:
    SimLowMemory() = default;
    ~SimLowMemory();
    SimLowMemory(const SimLowMemory&) = delete;
    SimLowMemory& operator=(const SimLowMemory&) = delete;

    // A zeroed block of at least one byte; null with ERROR_NOT_ENOUGH_MEMORY.
    void* Allocate(size_t bytes, DWORD& error);
    // False when `block` is no live block.
    bool Free(void* block);
    // The bytes at [address, address + length) when they lie in one live
    // block, else null.
    BYTE* Reach(uint32_t address, uint32_t length);

private:
    std::mutex mutex_;
    std::map<uintptr_t, size_t> blocks_;  // address -> size
};

// The 32-bit address of a block; 0 for a pointer that has none.
inline uint32_t SimAddressOf(const void* block) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(block);
    return address <= 0xFFFFFFFFu ? static_cast<uint32_t>(address) : 0;
}
