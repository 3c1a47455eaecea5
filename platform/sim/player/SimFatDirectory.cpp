// Directories of the FAT volume: finding, creating, changing and removing
// entries.
#include <algorithm>
#include <cstring>

#include "platform/sim/SimPath.h"
#include "platform/sim/player/SimFat.h"
#include "platform/sim/player/SimFatRecords.h"

namespace {

// Windows keeps a directory below 65536 entries.
const uint32_t kMaxDirectoryBytes = 65536 * 32;
const uint32_t kMaxAliasNumber = 999999;

bool IsLongNameEntry(const BYTE* entry) { return (entry[SimFatField::kAttributes] & 0x3F) == kSimFatLongName; }

}  // namespace

DWORD SimFat::LoadDirectory(uint32_t cluster, Directory& directory) {
    directory = Directory();
    directory.cluster = cluster;
    uint32_t sectorSize = layout_.sectorSize;
    if (cluster == 0 && layout_.kind != SimFatKind::kFat32) {
        for (uint32_t i = 0; i < layout_.rootSectors; ++i) directory.sectors.push_back(layout_.rootStart + i);
        directory.bytes.resize(size_t(layout_.rootSectors) * sectorSize);
        return ReadSectors(layout_.rootStart, layout_.rootSectors, directory.bytes.data());
    }
    uint32_t limit = std::max<uint32_t>(1, kMaxDirectoryBytes / layout_.ClusterBytes());
    std::vector<uint32_t> chain;
    DWORD error = Chain(cluster == 0 ? layout_.rootCluster : cluster, limit + 1, chain);
    if (error != ERROR_SUCCESS) return error;
    if (chain.size() > limit) return ERROR_FILE_CORRUPT;
    directory.bytes.resize(chain.size() * layout_.ClusterBytes());
    for (size_t i = 0; i < chain.size(); ++i) {
        uint32_t first = ClusterSector(chain[i]);
        for (uint32_t s = 0; s < layout_.sectorsPerCluster; ++s) directory.sectors.push_back(first + s);
        error = ReadSectors(first, layout_.sectorsPerCluster, &directory.bytes[i * layout_.ClusterBytes()]);
        if (error != ERROR_SUCCESS) return error;
    }
    return ERROR_SUCCESS;
}

DWORD SimFat::StoreDirectory(const Directory& directory) {
    for (size_t i = 0; i < directory.sectors.size(); ++i) {
        DWORD error = WriteSectors(directory.sectors[i], 1, &directory.bytes[i * layout_.sectorSize]);
        if (error != ERROR_SUCCESS) return error;
    }
    return ERROR_SUCCESS;
}

DWORD SimFat::GrowDirectory(Directory& directory) {
    bool fixedRoot = directory.cluster == 0 && layout_.kind != SimFatKind::kFat32;
    if (fixedRoot || directory.bytes.size() + layout_.ClusterBytes() > kMaxDirectoryBytes) return ERROR_CANNOT_MAKE;
    std::vector<uint32_t> chain;
    DWORD error = Chain(directory.cluster == 0 ? layout_.rootCluster : directory.cluster, kWholeChain, chain);
    if (error == ERROR_SUCCESS) error = Extend(chain, 1);
    if (error != ERROR_SUCCESS) return error;
    uint32_t first = ClusterSector(chain.back());
    for (uint32_t s = 0; s < layout_.sectorsPerCluster; ++s) directory.sectors.push_back(first + s);
    directory.bytes.resize(directory.bytes.size() + layout_.ClusterBytes(), 0);
    return ERROR_SUCCESS;
}

bool SimFat::Scan(Directory& directory, const std::wstring& name, SimFatEntry& entry) {
    SimFatLongNameReader longName;
    for (uint32_t i = 0; i < directory.EntryCount(); ++i) {
        const BYTE* at = directory.Entry(i);
        if (at[0] == kSimFatEndOfDirectory) break;
        if (at[0] == kSimFatDeleted) {
            longName.Reset();
            continue;
        }
        if (IsLongNameEntry(at)) {
            longName.Add(at);
            continue;
        }
        uint32_t slots = 0;
        std::wstring full = longName.Take(at, slots);
        if (at[SimFatField::kAttributes] & kVolumeLabel) continue;
        std::wstring shortName = SimFatShortName(at);
        if (!SimSameName(name, shortName) && (full.empty() || !SimSameName(name, full))) continue;
        entry = SimFatEntry();
        entry.name = full.empty() ? shortName : full;
        entry.attributes = at[SimFatField::kAttributes];
        entry.firstCluster = SimGet16(at + SimFatField::kClusterLow);
        if (layout_.kind == SimFatKind::kFat32) entry.firstCluster |= uint32_t(SimGet16(at + SimFatField::kClusterHigh)) << 16;
        entry.size = SimGet32(at + SimFatField::kSize);
        entry.directory = directory.cluster;
        entry.index = i;
        entry.longNameSlots = slots;
        return true;
    }
    return false;
}

DWORD SimFat::FindFolder(const std::vector<std::wstring>& parts, size_t count, uint32_t& cluster) {
    cluster = 0;
    for (size_t i = 0; i < count; ++i) {
        Directory directory;
        DWORD error = LoadDirectory(cluster, directory);
        if (error != ERROR_SUCCESS) return error;
        SimFatEntry folder;
        if (!Scan(directory, parts[i], folder) || !(folder.attributes & kDirectory)) return ERROR_PATH_NOT_FOUND;
        // A folder's ".." names the root as cluster 0; no folder below it starts there.
        if (folder.firstCluster == 0) return ERROR_FILE_CORRUPT;
        cluster = folder.firstCluster;
    }
    return ERROR_SUCCESS;
}

DWORD SimFat::Find(const std::vector<std::wstring>& parts, SimFatEntry& entry) {
    if (parts.empty()) {
        entry = SimFatEntry();
        entry.attributes = kDirectory;
        return ERROR_SUCCESS;
    }
    uint32_t cluster = 0;
    DWORD error = FindFolder(parts, parts.size() - 1, cluster);
    Directory directory;
    if (error == ERROR_SUCCESS) error = LoadDirectory(cluster, directory);
    if (error != ERROR_SUCCESS) return error;
    return Scan(directory, parts.back(), entry) ? ERROR_SUCCESS : static_cast<DWORD>(ERROR_FILE_NOT_FOUND);
}

DWORD SimFat::FreeEntries(Directory& directory, uint32_t count, uint32_t& first) {
    for (;;) {
        uint32_t run = 0;
        bool ended = false;
        for (uint32_t i = 0; i < directory.EntryCount(); ++i) {
            BYTE mark = directory.Entry(i)[0];
            ended = ended || mark == kSimFatEndOfDirectory;
            run = ended || mark == kSimFatDeleted ? run + 1 : 0;
            if (run < count) continue;
            first = i + 1 - count;
            // Entries used past the end mark move it behind them.
            if (ended && i + 1 < directory.EntryCount()) directory.Entry(i + 1)[0] = kSimFatEndOfDirectory;
            return ERROR_SUCCESS;
        }
        DWORD error = GrowDirectory(directory);
        if (error != ERROR_SUCCESS) return error;
    }
}

DWORD SimFat::Create(const std::vector<std::wstring>& parts, BYTE attributes, const SYSTEMTIME& stamp,
                     SimFatEntry& entry) {
    if (parts.empty()) return ERROR_ACCESS_DENIED;
    const std::wstring& name = parts.back();
    if (!SimFatValidName(name)) return ERROR_INVALID_NAME;
    uint32_t cluster = 0;
    DWORD error = FindFolder(parts, parts.size() - 1, cluster);
    Directory directory;
    if (error == ERROR_SUCCESS) error = LoadDirectory(cluster, directory);
    if (error != ERROR_SUCCESS) return error;
    SimFatEntry existing;
    if (Scan(directory, name, existing)) return ERROR_FILE_EXISTS;

    BYTE shortName[32] = {};  // a whole entry, so that it reads as one
    BYTE caseBits = 0;
    uint32_t slots = 0;
    if (!SimFatFitsShortName(name, shortName, caseBits)) {
        // The first free "~n" alias; Scan matches 8.3 names, so it tells which are taken.
        uint32_t number = 1;
        for (; number <= kMaxAliasNumber; ++number) {
            SimFatAlias(name, number, shortName);
            if (!Scan(directory, SimFatShortName(shortName), existing)) break;
        }
        if (number > kMaxAliasNumber) return ERROR_CANNOT_MAKE;
        slots = SimFatLongNameSlots(name);
    }
    uint32_t first = 0;
    error = FreeEntries(directory, slots + 1, first);
    if (error != ERROR_SUCCESS) return error;
    BYTE checksum = SimFatChecksum(shortName);
    for (uint32_t k = 0; k < slots; ++k) SimFatPutLongName(directory.Entry(first + k), name, slots - k, k == 0, checksum);
    BYTE* at = directory.Entry(first + slots);
    std::memset(at, 0, 32);
    std::memcpy(at + SimFatField::kName, shortName, 11);
    at[SimFatField::kAttributes] = static_cast<BYTE>((attributes & (kReadOnly | kHidden | kSystem)) | kArchive);
    at[SimFatField::kCase] = caseBits;
    SimFatPutStamp(at + SimFatField::kCreated, stamp);
    SimFatPutStamp(at + SimFatField::kWritten, stamp);
    std::memcpy(at + SimFatField::kAccessed, at + SimFatField::kWritten + 2, 2);
    error = StoreDirectory(directory);
    if (error == ERROR_SUCCESS) error = Flush();
    if (error != ERROR_SUCCESS) return error;
    entry = SimFatEntry();
    entry.name = slots ? name : SimFatShortName(at);
    entry.attributes = at[SimFatField::kAttributes];
    entry.directory = cluster;
    entry.index = first + slots;
    entry.longNameSlots = slots;
    return ERROR_SUCCESS;
}

// Writes the entry's attributes, first cluster and size back, with a new
// write time when `stamp` is given.
DWORD SimFat::StoreEntry(const SimFatEntry& entry, const SYSTEMTIME* stamp) {
    Directory directory;
    DWORD error = LoadDirectory(entry.directory, directory);
    if (error != ERROR_SUCCESS) return error;
    if (entry.index >= directory.EntryCount()) return ERROR_FILE_CORRUPT;
    BYTE* at = directory.Entry(entry.index);
    at[SimFatField::kAttributes] = entry.attributes;
    SimPut16(at + SimFatField::kClusterLow, entry.firstCluster & 0xFFFF);
    SimPut16(at + SimFatField::kClusterHigh, layout_.kind == SimFatKind::kFat32 ? entry.firstCluster >> 16 : 0);
    SimPut32(at + SimFatField::kSize, entry.size);
    if (stamp) {
        SimFatPutStamp(at + SimFatField::kWritten, *stamp);
        std::memcpy(at + SimFatField::kAccessed, at + SimFatField::kWritten + 2, 2);
    }
    return StoreDirectory(directory);
}

DWORD SimFat::SetAttributes(SimFatEntry& entry, BYTE attributes) {
    if (entry.name.empty()) return ERROR_ACCESS_DENIED;  // the root has no entry
    entry.attributes = static_cast<BYTE>((entry.attributes & kDirectory) |
                                         (attributes & (kReadOnly | kHidden | kSystem | kArchive)));
    return StoreEntry(entry, nullptr);
}

DWORD SimFat::Remove(const SimFatEntry& entry) {
    if (entry.name.empty() || (entry.attributes & kDirectory)) return ERROR_ACCESS_DENIED;
    Directory directory;
    DWORD error = LoadDirectory(entry.directory, directory);
    if (error != ERROR_SUCCESS) return error;
    if (entry.index >= directory.EntryCount() || entry.index < entry.longNameSlots) return ERROR_FILE_CORRUPT;
    // The chain is checked whole before anything is written: a damaged
    // chain leaves the file where it is.
    error = FreeChain(entry.firstCluster);
    if (error != ERROR_SUCCESS) return error;
    for (uint32_t i = entry.index - entry.longNameSlots; i <= entry.index; ++i) directory.Entry(i)[0] = kSimFatDeleted;
    error = StoreDirectory(directory);
    return error == ERROR_SUCCESS ? Flush() : error;
}

DWORD SimFatWriteFile(SimPlayer& player, const std::wstring& name, const std::vector<BYTE>& bytes,
                      const SYSTEMTIME& stamp) {
    SimVolumeExtent extent;
    DWORD error = SimFindVolume(player, extent);
    if (error != ERROR_SUCCESS) return error;
    SimFat fat(player, extent);
    error = fat.Mount();
    if (error != ERROR_SUCCESS) return error;
    SimFatEntry entry;
    error = fat.Find({name}, entry);
    if (error == ERROR_SUCCESS) {
        error = fat.Truncate(entry, stamp);
    } else if (error == ERROR_FILE_NOT_FOUND) {
        error = fat.Create({name}, 0, stamp, entry);
    }
    if (error != ERROR_SUCCESS) return error;
    return fat.Write(entry, 0, bytes.data(), static_cast<DWORD>(bytes.size()), stamp);
}
