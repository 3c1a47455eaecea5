// The player's flash memory, addressed by byte. Only what has been written
// costs memory: the store keeps 64 KiB chunks, each made on the first write
// into it, and everything else reads as erased flash (0xFF). A player of
// several GiB therefore holds no more than its firmware and the files on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/WinTypes.h"

class SimFlashStore {
public:
    static constexpr uint32_t kChunkSize = 64 * 1024;
    static constexpr BYTE kErased = 0xFF;

    explicit SimFlashStore(uint64_t size = 0) : size_(size) {}

    uint64_t Size() const { return size_; }

    // Ranges must lie inside the store; the player checks them first.
    void Read(uint64_t offset, BYTE* buffer, size_t length) const;
    void Write(uint64_t offset, const BYTE* data, size_t length);
    void Erase(uint64_t offset, uint64_t length);
    void EraseAll() { chunks_.clear(); }

    // The written chunks by index (offset / kChunkSize), for the state file.
    const std::map<uint64_t, std::vector<BYTE>>& Chunks() const { return chunks_; }
    // An erased chunk at `index`, made for the state file to fill.
    BYTE* NewChunk(uint64_t index);

private:
    uint64_t size_;
    std::map<uint64_t, std::vector<BYTE>> chunks_;
};
