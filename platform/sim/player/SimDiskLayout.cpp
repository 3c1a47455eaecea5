#include "platform/sim/player/SimDiskLayout.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/player/SimLittleEndian.h"

using namespace SimPartitionField;

namespace {

const size_t kTable = 0x1BE;
const size_t kTableEntrySize = 16;
const size_t kSignature = 440;
const size_t kMark = 510;

uint64_t Get64(const BYTE* at) { return SimGet32(at) | uint64_t(SimGet32(at + 4)) << 32; }
void Put64(BYTE* at, uint64_t value) {
    SimPut32(at, static_cast<uint32_t>(value));
    SimPut32(at + 4, static_cast<uint32_t>(value >> 32));
}

bool HasBootRecord(const std::vector<BYTE>& sector0) {
    return sector0.size() >= 512 && sector0[kMark] == 0x55 && sector0[kMark + 1] == 0xAA;
}

// Extended partitions hold more tables, which this disk does not model.
bool Recognized(BYTE type) { return type != 0 && type != 0x05 && type != 0x0F; }

// A table entry's CHS bytes for `sector` in the geometry Windows reports;
// past 1024 cylinders the entry carries the marker for "use the LBA".
void PutChs(BYTE* at, uint64_t sector, const SimDiskGeometry& geometry) {
    const uint64_t perCylinder = uint64_t(geometry.heads) * geometry.sectorsPerTrack;
    const uint64_t cylinder = sector / perCylinder;
    if (cylinder >= 1024) {
        at[0] = 0xFE, at[1] = 0xFF, at[2] = 0xFF;
        return;
    }
    at[0] = static_cast<BYTE>(sector / geometry.sectorsPerTrack % geometry.heads);
    at[1] = static_cast<BYTE>((sector % geometry.sectorsPerTrack + 1) | (cylinder >> 8) << 6);
    at[2] = static_cast<BYTE>(cylinder);
}

struct Extent {
    uint64_t first;
    uint64_t count;
};

}  // namespace

SimDiskGeometry::SimDiskGeometry(uint64_t sectors, uint32_t sectorSize) : bytesPerSector(sectorSize) {
    if (sectors < uint64_t(heads) * sectorsPerTrack) heads = 64, sectorsPerTrack = 32;
    cylinders = sectors / (uint64_t(heads) * sectorsPerTrack);
}

std::vector<BYTE> SimDiskGeometry::Record() const {
    std::vector<BYTE> record(kSimGeometrySize, 0);
    Put64(&record[0], cylinders);
    SimPut32(&record[8], kRemovableMedia);
    SimPut32(&record[12], heads);
    SimPut32(&record[16], sectorsPerTrack);
    SimPut32(&record[20], bytesPerSector);
    return record;
}

std::vector<BYTE> SimDriveLayoutRecord(const std::vector<BYTE>& sector0, uint32_t sectorSize) {
    std::vector<BYTE> record(kSimLayoutSize, 0);
    SimPut32(&record[0], 4);
    if (!HasBootRecord(sector0)) return record;
    SimPut32(&record[4], SimGet32(&sector0[kSignature]));
    uint32_t number = 0;
    for (size_t i = 0; i < 4; ++i) {
        const BYTE* entry = &sector0[kTable + i * kTableEntrySize];
        BYTE* out = &record[kSimLayoutHeaderSize + i * kSimPartitionEntrySize];
        if (entry[4] == 0) continue;
        const uint32_t start = SimGet32(entry + 8);
        Put64(out + kStartingOffset, uint64_t(start) * sectorSize);
        Put64(out + kLength, uint64_t(SimGet32(entry + 12)) * sectorSize);
        SimPut32(out + kHiddenSectors, start);
        SimPut32(out + kNumber, ++number);
        out[kType] = entry[4];
        out[kBootIndicator] = entry[0] == 0x80;
        out[kRecognized] = Recognized(entry[4]);
    }
    return record;
}

DWORD SimApplyDriveLayout(const BYTE* record, DWORD recordSize, uint64_t sectors, uint32_t sectorSize,
                          std::vector<BYTE>& sector0) {
    if (!record || recordSize < kSimLayoutHeaderSize || sector0.size() < 512) return ERROR_INVALID_PARAMETER;
    const uint32_t count = SimGet32(record);
    if (count == 0 || count > 4 || recordSize < kSimLayoutHeaderSize + count * kSimPartitionEntrySize)
        return ERROR_INVALID_PARAMETER;

    const SimDiskGeometry geometry(sectors, sectorSize);
    std::vector<BYTE> sector = HasBootRecord(sector0) ? sector0 : std::vector<BYTE>(sector0.size(), 0);
    std::vector<Extent> used;
    for (uint32_t i = 0; i < 4; ++i) {
        BYTE* entry = &sector[kTable + i * kTableEntrySize];
        const BYTE* in = i < count ? record + kSimLayoutHeaderSize + i * kSimPartitionEntrySize : nullptr;
        if (in && in[kRewrite]) {
            std::memset(entry, 0, kTableEntrySize);
            if (in[kType] != 0) {
                const uint64_t offset = Get64(in + kStartingOffset);
                const uint64_t length = Get64(in + kLength);
                if (offset % sectorSize || length % sectorSize || length == 0) return ERROR_INVALID_PARAMETER;
                const uint64_t first = offset / sectorSize, size = length / sectorSize;
                if (first == 0 || first > sectors || size > sectors - first || first + size > 0xFFFFFFFFu)
                    return ERROR_INVALID_PARAMETER;
                entry[0] = in[kBootIndicator] ? 0x80 : 0x00;
                PutChs(entry + 1, first, geometry);
                entry[4] = in[kType];
                PutChs(entry + 5, first + size - 1, geometry);
                SimPut32(entry + 8, static_cast<uint32_t>(first));
                SimPut32(entry + 12, static_cast<uint32_t>(size));
            }
        }
        if (entry[4] != 0) used.push_back({SimGet32(entry + 8), SimGet32(entry + 12)});
    }
    std::sort(used.begin(), used.end(), [](const Extent& a, const Extent& b) { return a.first < b.first; });
    for (size_t i = 1; i < used.size(); ++i)
        if (used[i - 1].first + used[i - 1].count > used[i].first) return ERROR_INVALID_PARAMETER;

    SimPut32(&sector[kSignature], SimGet32(record + 4));
    sector[kMark] = 0x55;
    sector[kMark + 1] = 0xAA;
    sector0 = std::move(sector);
    return ERROR_SUCCESS;
}
