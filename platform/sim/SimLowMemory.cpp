#include "platform/sim/SimLowMemory.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

#ifndef _WIN32
#include <sys/mman.h>
#endif

namespace {

#ifdef _WIN32
// A 32-bit program's heap is below 4 GiB already; a 64-bit one's block that
// lies above is given back and counts as no memory.
void* LowBlock(size_t bytes) {
    void* block = std::calloc(1, bytes);
    if (block && SimAddressOf(block) == 0) {
        std::free(block);
        return nullptr;
    }
    return block;
}
void ReleaseBlock(void* block, size_t) { std::free(block); }
#else
// Fresh anonymous pages are zero. MAP_32BIT keeps them in the first 2 GiB.
void* LowBlock(size_t bytes) {
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    if (block == MAP_FAILED) return nullptr;
    if (SimAddressOf(block) == 0) {
        munmap(block, bytes);
        return nullptr;
    }
    return block;
}
void ReleaseBlock(void* block, size_t bytes) { munmap(block, bytes); }
#endif

}  // namespace

SimLowMemory::~SimLowMemory() {
    for (const auto& block : blocks_) ReleaseBlock(reinterpret_cast<void*>(block.first), block.second);
}

void* SimLowMemory::Allocate(size_t bytes, DWORD& error) {
    if (bytes == 0) bytes = 1;
    void* block = LowBlock(bytes);
    if (!block) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    blocks_[reinterpret_cast<uintptr_t>(block)] = bytes;
    return block;
}

bool SimLowMemory::Free(void* block) {
    size_t bytes = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = blocks_.find(reinterpret_cast<uintptr_t>(block));
        if (found == blocks_.end()) return false;
        bytes = found->second;
        blocks_.erase(found);
    }
    ReleaseBlock(block, bytes);
    return true;
}

BYTE* SimLowMemory::Reach(uint32_t address, uint32_t length) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto after = blocks_.upper_bound(address);
    if (after == blocks_.begin()) return nullptr;
    const auto& block = *std::prev(after);
    if (uint64_t(address) + length > block.first + block.second) return nullptr;
    return reinterpret_cast<BYTE*>(static_cast<uintptr_t>(address));
}
