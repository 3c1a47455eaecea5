#include "platform/sim/player/SimFlashStore.h"

#include <algorithm>
#include <cstring>

namespace {

bool AllErased(const BYTE* data, size_t length) {
    return std::all_of(data, data + length, [](BYTE b) { return b == SimFlashStore::kErased; });
}

}  // namespace

void SimFlashStore::Read(uint64_t offset, BYTE* buffer, size_t length) const {
    while (length > 0) {
        uint64_t index = offset / kChunkSize;
        size_t within = static_cast<size_t>(offset % kChunkSize);
        size_t part = std::min<size_t>(length, kChunkSize - within);
        auto chunk = chunks_.find(index);
        if (chunk == chunks_.end())
            std::memset(buffer, kErased, part);
        else
            std::memcpy(buffer, chunk->second.data() + within, part);
        buffer += part;
        offset += part;
        length -= part;
    }
}

void SimFlashStore::Write(uint64_t offset, const BYTE* data, size_t length) {
    while (length > 0) {
        uint64_t index = offset / kChunkSize;
        size_t within = static_cast<size_t>(offset % kChunkSize);
        size_t part = std::min<size_t>(length, kChunkSize - within);
        auto chunk = chunks_.find(index);
        // Erased bytes into an erased chunk change nothing: a whole image
        // written back stays as sparse as it was.
        if (chunk != chunks_.end())
            std::memcpy(chunk->second.data() + within, data, part);
        else if (!AllErased(data, part))
            std::memcpy(NewChunk(index) + within, data, part);
        data += part;
        offset += part;
        length -= part;
    }
}

void SimFlashStore::Erase(uint64_t offset, uint64_t length) {
    while (length > 0) {
        uint64_t index = offset / kChunkSize;
        size_t within = static_cast<size_t>(offset % kChunkSize);
        size_t part = static_cast<size_t>(std::min<uint64_t>(length, kChunkSize - within));
        auto chunk = chunks_.find(index);
        if (chunk != chunks_.end()) {
            if (part == kChunkSize)
                chunks_.erase(chunk);
            else
                std::memset(chunk->second.data() + within, kErased, part);
        }
        offset += part;
        length -= part;
    }
}

BYTE* SimFlashStore::NewChunk(uint64_t index) {
    std::vector<BYTE>& chunk = chunks_[index];
    chunk.assign(kChunkSize, kErased);
    return chunk.data();
}
