#include "platform/sim/player/SimCrc32.h"

namespace {

struct Table {
    uint32_t entries[256];
    Table() {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int bit = 0; bit < 8; ++bit) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[i] = c;
        }
    }
};

}  // namespace

uint32_t SimCrc32(uint32_t crc, const BYTE* data, size_t length) {
    static const Table table;
    crc = ~crc;
    for (size_t i = 0; i < length; ++i) crc = table.entries[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}
