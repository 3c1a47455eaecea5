// Mounting, the FAT itself and file contents. Directories are in
// SimFatDirectory.cpp.
#include "platform/sim/player/SimFat.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/player/SimFatRecords.h"
#include "platform/sim/player/SimPlayer.h"

namespace {

// The cluster counts that tell FAT12 from FAT16, and the most FAT32 holds.
const uint64_t kFat12Clusters = 4085;
const uint64_t kFat16Clusters = 65525;
const uint64_t kFat32Clusters = 0x0FFFFFF5;
const uint32_t kMaxClusterBytes = 0x10000;

const uint32_t kFsInfoLead = 0x41615252;
const uint32_t kFsInfoMiddle = 0x61417272;
const uint32_t kFsInfoTrail = 0xAA550000;
const uint32_t kUnknownFreeCount = 0xFFFFFFFF;

bool IsPowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

bool ValidSectorSize(uint32_t size) { return size >= 512 && size <= 4096 && IsPowerOfTwo(size); }

bool HasJump(const BYTE* sector) { return sector[0] == 0xE9 || (sector[0] == 0xEB && sector[2] == 0x90); }

// Sector 0 of a superfloppy is a boot sector: a jump and a plausible BPB.
bool LooksLikeBootSector(const BYTE* sector) {
    return HasJump(sector) && ValidSectorSize(SimGet16(sector + 11)) && IsPowerOfTwo(sector[13]) &&
           SimGet16(sector + 14) != 0 && sector[16] != 0;
}

// Extended partitions hold further tables, not a volume.
bool IsContainer(BYTE type) { return type == 0x05 || type == 0x0F || type == 0x85; }

}  // namespace

DWORD SimFindVolume(SimPlayer& player, SimVolumeExtent& extent) {
    extent = SimVolumeExtent();
    uint64_t count = player.MediumSectorCount();
    uint32_t size = player.MediumSectorSize();
    if (count == 0 || size < 512) return ERROR_SUCCESS;
    std::vector<BYTE> sector(size);
    DWORD error = player.ReadMedium(0, 1, sector.data());
    if (error != ERROR_SUCCESS) return error;
    extent.sectorCount = count;
    if (LooksLikeBootSector(sector.data()) || SimGet16(&sector[510]) != 0xAA55) return ERROR_SUCCESS;
    const BYTE* table = &sector[446];
    for (int i = 0; i < 4; ++i) {
        BYTE boot = table[i * 16];
        if (boot != 0x00 && boot != 0x80) return ERROR_SUCCESS;  // boot code, not a table
    }
    for (int i = 0; i < 4; ++i) {
        const BYTE* entry = table + i * 16;
        uint64_t first = SimGet32(entry + 8), length = SimGet32(entry + 12);
        if (entry[4] == 0 || IsContainer(entry[4]) || first == 0 || length == 0 || first + length > count) continue;
        extent.firstSector = first;
        extent.sectorCount = length;
        return ERROR_SUCCESS;
    }
    return ERROR_SUCCESS;
}

SimFat::SimFat(SimPlayer& player, const SimVolumeExtent& extent) : player_(player), extent_(extent) {}

DWORD SimFat::Mount() {
    uint32_t mediumSector = player_.MediumSectorSize();
    if (extent_.sectorCount == 0) return ERROR_NOT_READY;
    if (!ValidSectorSize(mediumSector) || extent_.sectorCount > 0xFFFFFFFFu) return ERROR_UNRECOGNIZED_VOLUME;
    std::vector<BYTE> sector(mediumSector);
    DWORD error = player_.ReadMedium(extent_.firstSector, 1, sector.data());
    if (error != ERROR_SUCCESS) return error;
    const BYTE* boot = sector.data();

    uint32_t sectorSize = SimGet16(boot + 11);
    uint32_t perCluster = boot[13];
    uint32_t reserved = SimGet16(boot + 14);
    uint32_t fatCount = boot[16];
    uint32_t rootEntries = SimGet16(boot + 17);
    uint64_t total = SimGet16(boot + 19) != 0 ? SimGet16(boot + 19) : SimGet32(boot + 32);
    BYTE media = boot[21];
    bool fat32 = SimGet16(boot + 22) == 0;
    uint64_t fatSectors = fat32 ? SimGet32(boot + 36) : SimGet16(boot + 22);
    if (!HasJump(boot) || sectorSize != mediumSector || !IsPowerOfTwo(perCluster) ||
        uint64_t(perCluster) * sectorSize > kMaxClusterBytes || reserved == 0 || fatCount == 0 || total == 0 ||
        total > extent_.sectorCount || (media != 0xF0 && media < 0xF8) || fatSectors == 0 ||
        fat32 != (rootEntries == 0)) {
        return ERROR_UNRECOGNIZED_VOLUME;
    }
    uint64_t rootSectors = (uint64_t(rootEntries) * 32 + sectorSize - 1) / sectorSize;
    uint64_t dataStart = reserved + fatCount * fatSectors + rootSectors;
    if (dataStart >= total) return ERROR_UNRECOGNIZED_VOLUME;
    uint64_t clusters = (total - dataStart) / perCluster;

    SimFatKind kind = fat32 ? SimFatKind::kFat32 : clusters < kFat12Clusters ? SimFatKind::kFat12 : SimFatKind::kFat16;
    uint64_t entryBits = kind == SimFatKind::kFat12 ? 12 : kind == SimFatKind::kFat16 ? 16 : 32;
    if (clusters == 0 || (!fat32 && clusters >= kFat16Clusters) || clusters > kFat32Clusters ||
        fatSectors * sectorSize * 8 / entryBits < clusters + 2) {
        return ERROR_UNRECOGNIZED_VOLUME;
    }
    Layout layout;
    layout.kind = kind;
    layout.sectorSize = sectorSize;
    layout.sectorsPerCluster = perCluster;
    layout.fatStart = reserved;
    layout.fatSectors = static_cast<uint32_t>(fatSectors);
    layout.fatCount = fatCount;
    layout.rootStart = static_cast<uint32_t>(reserved + fatCount * fatSectors);
    layout.rootSectors = static_cast<uint32_t>(rootSectors);
    layout.dataStart = static_cast<uint32_t>(dataStart);
    layout.totalSectors = static_cast<uint32_t>(total);
    layout.clusterCount = static_cast<uint32_t>(clusters);
    if (fat32) {
        uint32_t flags = SimGet16(boot + 40);
        layout.mirrored = (flags & 0x80) == 0;
        layout.activeFat = layout.mirrored ? 0 : flags & 0x0F;
        layout.rootCluster = SimGet32(boot + 44);
        uint32_t fsInfo = SimGet16(boot + 48);
        layout.fsInfoSector = fsInfo >= 1 && fsInfo < reserved ? fsInfo : 0;
        if (SimGet16(boot + 42) != 0 || layout.activeFat >= fatCount || layout.rootCluster < 2 ||
            layout.rootCluster > clusters + 1) {
            return ERROR_UNRECOGNIZED_VOLUME;
        }
    }
    layout_ = layout;
    return ERROR_SUCCESS;
}

DWORD SimFat::ReadSectors(uint32_t first, uint32_t count, BYTE* buffer) {
    if (uint64_t(first) + count > layout_.totalSectors) return ERROR_FILE_CORRUPT;
    return player_.ReadMedium(extent_.firstSector + first, count, buffer);
}

DWORD SimFat::WriteSectors(uint32_t first, uint32_t count, const BYTE* buffer) {
    if (uint64_t(first) + count > layout_.totalSectors) return ERROR_FILE_CORRUPT;
    return player_.WriteMedium(extent_.firstSector + first, count, buffer);
}

// --- The FAT -------------------------------------------------------------------

DWORD SimFat::FatByte(uint32_t offset, BYTE*& byte) {
    uint32_t sector = offset / layout_.sectorSize;
    if (sector >= layout_.fatSectors) return ERROR_FILE_CORRUPT;
    auto found = fat_.find(sector);
    if (found == fat_.end()) {
        std::vector<BYTE> bytes(layout_.sectorSize);
        DWORD error = ReadSectors(layout_.fatStart + layout_.activeFat * layout_.fatSectors + sector, 1, bytes.data());
        if (error != ERROR_SUCCESS) return error;
        found = fat_.emplace(sector, std::move(bytes)).first;
    }
    byte = &found->second[offset % layout_.sectorSize];
    return ERROR_SUCCESS;
}

// FAT12 packs two entries into three bytes: an odd entry takes the upper
// twelve bits of its 16-bit word.
DWORD SimFat::GetEntry(uint32_t cluster, uint32_t& value) {
    bool fat12 = layout_.kind == SimFatKind::kFat12;
    uint32_t width = layout_.kind == SimFatKind::kFat32 ? 4 : 2;
    uint32_t offset = fat12 ? cluster + cluster / 2 : cluster * width;
    value = 0;
    for (uint32_t i = 0; i < width; ++i) {
        BYTE* byte = nullptr;
        DWORD error = FatByte(offset + i, byte);
        if (error != ERROR_SUCCESS) return error;
        value |= uint32_t(*byte) << (8 * i);
    }
    if (fat12) value = cluster & 1 ? value >> 4 : value & 0xFFF;
    if (layout_.kind == SimFatKind::kFat32) value &= 0x0FFFFFFF;
    return ERROR_SUCCESS;
}

DWORD SimFat::SetEntry(uint32_t cluster, uint32_t value) {
    bool fat12 = layout_.kind == SimFatKind::kFat12;
    uint32_t width = layout_.kind == SimFatKind::kFat32 ? 4 : 2;
    uint32_t offset = fat12 ? cluster + cluster / 2 : cluster * width;
    BYTE* bytes[4] = {};
    uint32_t old = 0;
    for (uint32_t i = 0; i < width; ++i) {
        DWORD error = FatByte(offset + i, bytes[i]);
        if (error != ERROR_SUCCESS) return error;
        old |= uint32_t(*bytes[i]) << (8 * i);
    }
    uint32_t word = value;
    if (fat12) word = cluster & 1 ? (old & 0x000F) | (value << 4) : (old & 0xF000) | (value & 0xFFF);
    if (layout_.kind == SimFatKind::kFat32) word = (old & 0xF0000000) | (value & 0x0FFFFFFF);  // top bits are reserved
    for (uint32_t i = 0; i < width; ++i) {
        *bytes[i] = static_cast<BYTE>(word >> (8 * i));
        dirtyFat_.insert((offset + i) / layout_.sectorSize);
    }
    return ERROR_SUCCESS;
}

uint32_t SimFat::EndOfChain() const {
    switch (layout_.kind) {
    case SimFatKind::kFat12: return 0xFFF;
    case SimFatKind::kFat16: return 0xFFFF;
    default: return 0x0FFFFFFF;
    }
}

bool SimFat::IsEndOfChain(uint32_t value) const { return value >= (EndOfChain() & ~7u); }

DWORD SimFat::Chain(uint32_t first, uint32_t limit, std::vector<uint32_t>& chain) {
    chain.clear();
    for (uint32_t cluster = first; chain.size() < limit;) {
        // A link outside the data area, or more links than clusters (a loop).
        if (cluster < 2 || cluster > layout_.clusterCount + 1 || chain.size() >= layout_.clusterCount) {
            return ERROR_FILE_CORRUPT;
        }
        chain.push_back(cluster);
        uint32_t next = 0;
        DWORD error = GetEntry(cluster, next);
        if (error != ERROR_SUCCESS) return error;
        if (IsEndOfChain(next)) break;
        cluster = next;
    }
    return ERROR_SUCCESS;
}

DWORD SimFat::Extend(std::vector<uint32_t>& chain, uint32_t count) {
    // Find them all first, so that a full volume changes nothing.
    std::vector<uint32_t> found;
    for (uint32_t step = 0; step < layout_.clusterCount && found.size() < count; ++step) {
        uint32_t cluster = 2 + (nextFree_ - 2 + step) % layout_.clusterCount;
        uint32_t value = 0;
        DWORD error = GetEntry(cluster, value);
        if (error != ERROR_SUCCESS) return error;
        if (value == 0) found.push_back(cluster);
    }
    if (found.size() < count) return ERROR_DISK_FULL;
    std::vector<BYTE> zeros(layout_.ClusterBytes());
    for (uint32_t cluster : found) {
        DWORD error = WriteSectors(ClusterSector(cluster), layout_.sectorsPerCluster, zeros.data());
        if (error == ERROR_SUCCESS) error = SetEntry(cluster, EndOfChain());
        if (error == ERROR_SUCCESS && !chain.empty()) error = SetEntry(chain.back(), cluster);
        if (error != ERROR_SUCCESS) return error;
        chain.push_back(cluster);
        --freedClusters_;
        nextFree_ = cluster + 1;
    }
    return ERROR_SUCCESS;
}

DWORD SimFat::FreeChain(uint32_t first) {
    if (first == 0) return ERROR_SUCCESS;
    std::vector<uint32_t> chain;
    DWORD error = Chain(first, kWholeChain, chain);
    for (size_t i = 0; error == ERROR_SUCCESS && i < chain.size(); ++i) {
        error = SetEntry(chain[i], 0);
        ++freedClusters_;
    }
    return error;
}

// Writes the changed FAT sectors into every copy kept in step, and moves the
// FSInfo free count along when it is known.
DWORD SimFat::Flush() {
    for (uint32_t sector : dirtyFat_) {
        for (uint32_t copy = 0; copy < layout_.fatCount; ++copy) {
            if (!layout_.mirrored && copy != layout_.activeFat) continue;
            DWORD error = WriteSectors(layout_.fatStart + copy * layout_.fatSectors + sector, 1, fat_[sector].data());
            if (error != ERROR_SUCCESS) return error;
        }
    }
    dirtyFat_.clear();
    if (layout_.fsInfoSector == 0 || freedClusters_ == 0) return ERROR_SUCCESS;
    std::vector<BYTE> info(layout_.sectorSize);
    DWORD error = ReadSectors(layout_.fsInfoSector, 1, info.data());
    if (error != ERROR_SUCCESS) return error;
    int64_t freed = freedClusters_;
    freedClusters_ = 0;
    uint32_t known = SimGet32(&info[488]);
    if (SimGet32(&info[0]) != kFsInfoLead || SimGet32(&info[484]) != kFsInfoMiddle ||
        SimGet32(&info[508]) != kFsInfoTrail || known == kUnknownFreeCount) {
        return ERROR_SUCCESS;
    }
    int64_t now = int64_t(known) + freed;
    SimPut32(&info[488], now < 0 || now > int64_t(layout_.clusterCount) ? kUnknownFreeCount : uint32_t(now));
    return WriteSectors(layout_.fsInfoSector, 1, info.data());
}

// --- File contents ---------------------------------------------------------------

// Copies `size` bytes into the clusters of `chain` from byte `offset` on;
// a null `source` writes zeros. Clusters only partly covered are read first.
DWORD SimFat::Transfer(const std::vector<uint32_t>& chain, uint64_t offset, const BYTE* source, uint32_t size) {
    uint32_t clusterBytes = layout_.ClusterBytes();
    std::vector<BYTE> cluster(clusterBytes);
    for (uint64_t at = offset, end = offset + size; at < end;) {
        size_t index = static_cast<size_t>(at / clusterBytes);
        uint32_t within = static_cast<uint32_t>(at % clusterBytes);
        uint32_t piece = static_cast<uint32_t>(std::min<uint64_t>(clusterBytes - within, end - at));
        if (index >= chain.size()) return ERROR_FILE_CORRUPT;
        uint32_t first = ClusterSector(chain[index]);
        if (piece < clusterBytes) {
            DWORD error = ReadSectors(first, layout_.sectorsPerCluster, cluster.data());
            if (error != ERROR_SUCCESS) return error;
        }
        if (source) {
            std::memcpy(&cluster[within], source + (at - offset), piece);
        } else {
            std::memset(&cluster[within], 0, piece);
        }
        DWORD error = WriteSectors(first, layout_.sectorsPerCluster, cluster.data());
        if (error != ERROR_SUCCESS) return error;
        at += piece;
    }
    return ERROR_SUCCESS;
}

DWORD SimFat::Read(const SimFatEntry& entry, uint64_t offset, void* buffer, DWORD size, DWORD& done) {
    done = 0;
    if (entry.attributes & kDirectory) return ERROR_ACCESS_DENIED;
    if (offset >= entry.size || size == 0) return ERROR_SUCCESS;
    uint32_t wanted = static_cast<uint32_t>(std::min<uint64_t>(size, entry.size - offset));
    uint32_t clusterBytes = layout_.ClusterBytes();
    uint32_t last = static_cast<uint32_t>((offset + wanted - 1) / clusterBytes);
    std::vector<uint32_t> chain;
    DWORD error = Chain(entry.firstCluster, last + 1, chain);
    if (error != ERROR_SUCCESS) return error;
    if (chain.size() <= last) return ERROR_FILE_CORRUPT;  // shorter than the file's size
    std::vector<BYTE> cluster(clusterBytes);
    BYTE* out = static_cast<BYTE*>(buffer);
    for (uint64_t at = offset, end = offset + wanted; at < end;) {
        uint32_t within = static_cast<uint32_t>(at % clusterBytes);
        uint32_t piece = static_cast<uint32_t>(std::min<uint64_t>(clusterBytes - within, end - at));
        error = ReadSectors(ClusterSector(chain[at / clusterBytes]), layout_.sectorsPerCluster, cluster.data());
        if (error != ERROR_SUCCESS) return error;
        std::memcpy(out + (at - offset), &cluster[within], piece);
        at += piece;
    }
    done = wanted;
    return ERROR_SUCCESS;
}

DWORD SimFat::Write(SimFatEntry& entry, uint64_t offset, const void* buffer, DWORD size, const SYSTEMTIME& stamp) {
    if (entry.attributes & kDirectory) return ERROR_ACCESS_DENIED;
    if (size == 0) return ERROR_SUCCESS;
    uint64_t end = offset + size;
    if (end > 0xFFFFFFFFu) return ERROR_DISK_FULL;  // beyond what a FAT file can hold
    uint32_t clusterBytes = layout_.ClusterBytes();
    std::vector<uint32_t> chain;
    DWORD error = entry.firstCluster == 0 ? ERROR_SUCCESS : Chain(entry.firstCluster, kWholeChain, chain);
    if (error != ERROR_SUCCESS) return error;
    uint64_t needed = (end + clusterBytes - 1) / clusterBytes;
    if (chain.size() < (uint64_t(entry.size) + clusterBytes - 1) / clusterBytes) return ERROR_FILE_CORRUPT;
    if (chain.size() < needed) error = Extend(chain, static_cast<uint32_t>(needed - chain.size()));
    // Bytes between the old end and the write read as zeros afterwards.
    if (error == ERROR_SUCCESS && offset > entry.size) {
        error = Transfer(chain, entry.size, nullptr, static_cast<uint32_t>(offset - entry.size));
    }
    if (error == ERROR_SUCCESS) error = Transfer(chain, offset, static_cast<const BYTE*>(buffer), size);
    if (error != ERROR_SUCCESS) return error;
    entry.firstCluster = chain.front();
    entry.size = std::max<uint32_t>(entry.size, static_cast<uint32_t>(end));
    entry.attributes |= kArchive;
    error = StoreEntry(entry, &stamp);
    return error == ERROR_SUCCESS ? Flush() : error;
}

DWORD SimFat::Truncate(SimFatEntry& entry, const SYSTEMTIME& stamp) {
    if (entry.attributes & kDirectory) return ERROR_ACCESS_DENIED;
    DWORD error = FreeChain(entry.firstCluster);
    if (error != ERROR_SUCCESS) return error;
    entry.firstCluster = 0;
    entry.size = 0;
    entry.attributes |= kArchive;
    error = StoreEntry(entry, &stamp);
    return error == ERROR_SUCCESS ? Flush() : error;
}
