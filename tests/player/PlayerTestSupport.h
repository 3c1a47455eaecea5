// Commands for the simulated player built by hand, byte by byte, as the PC
// sends them, and checks of what comes back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/sim/player/SimFlashPlayer.h"

// Kept apart from the names of the other suites in the one test program.
namespace player_test {

using Bytes = std::vector<BYTE>;

struct Reply {
    SimScsiStatus status;
    Bytes data;  // the data-in bytes answered
};

inline void PutBig(Bytes& bytes, size_t offset, uint64_t value, size_t width) {
    for (size_t i = width; i-- > 0; value >>= 8) bytes[offset + i] = static_cast<BYTE>(value & 0xFF);
}

inline uint64_t GetBig(const Bytes& bytes, size_t offset, size_t width) {
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) value = value << 8 | bytes[offset + i];
    return value;
}

// A 16-byte vendor block: 0xC0 or 0xC1, the operation, and byte 2 (a drive,
// a count, an info type).
inline Bytes VendorBlock(BYTE code, BYTE operation, BYTE byte2 = 0) {
    Bytes block(16, 0);
    block[0] = code;
    block[1] = operation;
    block[2] = byte2;
    return block;
}

// 0xC0 0x13 / 0xC1 0x23.
inline Bytes SectorBlock(BYTE code, BYTE operation, BYTE drive, uint64_t first, uint32_t count) {
    Bytes block = VendorBlock(code, operation, drive);
    PutBig(block, 3, first, 8);
    PutBig(block, 11, count, 4);
    return block;
}

// READ(10) / WRITE(10).
inline Bytes Block10(BYTE code, uint32_t address, uint16_t count) {
    Bytes block(10, 0);
    block[0] = code;
    PutBig(block, 2, address, 4);
    PutBig(block, 7, count, 2);
    return block;
}

struct Entry {
    BYTE type;
    BYTE tag;
    uint64_t size;
};

// The allocation's data phase: entries at 10i, 11 bytes per entry in all.
inline Bytes AllocationData(const std::vector<Entry>& entries) {
    Bytes data(11 * entries.size(), 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        data[10 * i] = entries[i].type;
        data[10 * i + 1] = entries[i].tag;
        PutBig(data, 10 * i + 2, entries[i].size, 8);
    }
    return data;
}

// The table the updater allocates: boot manager, data drive (the rest),
// mass-storage firmware, player firmware, resource.
inline std::vector<Entry> UpdaterTable() {
    return {{1, 0x50, 40000}, {0, 0x0A, 0}, {1, 0x01, 100000}, {1, 0x00, 1500000}, {1, 0x02, 3000000}};
}

inline Reply Send(SimPlayer& player, const Bytes& cdb, size_t dataIn = 0, const Bytes& dataOut = {}) {
    Reply reply;
    reply.data.assign(dataIn, 0xCC);
    reply.status = player.Execute(cdb.data(), cdb.size(), dataOut.empty() ? nullptr : dataOut.data(), dataOut.size(),
                                  reply.data.empty() ? nullptr : reply.data.data(), reply.data.size());
    reply.data.resize(reply.status.dataIn);
    return reply;
}

inline Reply Allocate(SimPlayer& player, const std::vector<Entry>& entries) {
    return Send(player, VendorBlock(0xC1, 0x06, static_cast<BYTE>(entries.size())), 0, AllocationData(entries));
}

inline ::testing::AssertionResult IsGood(const Reply& reply) {
    if (reply.status.status == SimScsiStatus::kGood) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "check condition, sense key " << int(reply.status.sense.at(2))
                                         << ", code 0x" << std::hex
                                         << (reply.status.sense.at(12) << 8 | reply.status.sense.at(13));
}

// A check condition with 18 bytes of fixed-format sense holding this key and
// additional sense code.
inline ::testing::AssertionResult HasSense(const Reply& reply, BYTE key, BYTE asc, BYTE ascq = 0) {
    const SimScsiStatus& status = reply.status;
    if (status.status != SimScsiStatus::kCheckCondition) return ::testing::AssertionFailure() << "status good";
    const Bytes& sense = status.sense;
    if (sense.size() != 18 || sense[0] != 0x70 || sense[7] != 10)
        return ::testing::AssertionFailure() << "sense not in fixed format";
    if (sense[2] != key || sense[12] != asc || sense[13] != ascq || status.dataIn != 0)
        return ::testing::AssertionFailure() << "sense key " << int(sense[2]) << ", code 0x" << std::hex
                                             << (sense[12] << 8 | sense[13]);
    return ::testing::AssertionSuccess();
}

// The player's own refusal: sense key 9, the status code in bytes 12-13.
inline ::testing::AssertionResult HasStatus(const Reply& reply, uint16_t code) {
    return HasSense(reply, 9, static_cast<BYTE>(code >> 8), static_cast<BYTE>(code & 0xFF));
}

}  // namespace player_test
