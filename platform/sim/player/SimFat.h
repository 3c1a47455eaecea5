// The FAT file system on the player's medium, read and written the way
// Windows does it. The volume is the first partition of the medium's
// partition table; a medium whose sector 0 is itself a FAT boot sector, or
// that has no usable table, is one volume from sector 0 (a "superfloppy").
// FAT12, FAT16 and FAT32 are told apart as the file-system drivers do: a
// 16-bit FAT size of 0 makes FAT32, otherwise the cluster count decides.
//
// A SimFat lives for one request: it mounts, reads what it needs, writes its
// changes back before the request returns, and is discarded. Every on-disk
// number is checked before it is used, so a damaged volume gives an error,
// never a crash or an endless chain walk.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

class SimPlayer;

// Where the volume lies on the medium, in medium sectors.
struct SimVolumeExtent {
    uint64_t firstSector = 0;
    uint64_t sectorCount = 0;
};

// The volume Windows mounts on the player's medium. An empty medium gives an
// empty extent; a failed read gives the medium's error.
DWORD SimFindVolume(SimPlayer& player, SimVolumeExtent& extent);

enum class SimFatKind { kFat12, kFat16, kFat32 };

// One directory entry, with where it lies so that it can be changed later
// in the same request.
struct SimFatEntry {
    std::wstring name;      // the long name when there is one, else the 8.3 name ("SETTINGS.DAT")
    BYTE attributes = 0;    // FAT attribute bits; Win32 numbers them alike (0x01 read-only ... 0x20 archive)
    uint32_t firstCluster = 0;
    uint32_t size = 0;
    uint32_t directory = 0;      // first cluster of the directory holding it; 0: the root
    uint32_t index = 0;          // its 8.3 entry in that directory
    uint32_t longNameSlots = 0;  // long-name entries right before it
};

class SimFat {
public:
    static constexpr BYTE kReadOnly = 0x01;
    static constexpr BYTE kHidden = 0x02;
    static constexpr BYTE kSystem = 0x04;
    static constexpr BYTE kVolumeLabel = 0x08;
    static constexpr BYTE kDirectory = 0x10;
    static constexpr BYTE kArchive = 0x20;

    SimFat(SimPlayer& player, const SimVolumeExtent& extent);

    // Reads and checks the boot sector: ERROR_UNRECOGNIZED_VOLUME when it
    // holds no FAT file system that Windows would mount, ERROR_NOT_READY for
    // an empty medium.
    DWORD Mount();

    // `parts` is a path below the root; no parts give the root itself, a
    // directory entry with an empty name. A missing folder on the way gives
    // ERROR_PATH_NOT_FOUND, a missing last part ERROR_FILE_NOT_FOUND. Names
    // match the long name or the 8.3 name, without regard to case.
    DWORD Find(const std::vector<std::wstring>& parts, SimFatEntry& entry);
    // A new, empty file at `parts` (its folder must exist, the name must be
    // free). Names that are no upper-case 8.3 name get long-name entries.
    DWORD Create(const std::vector<std::wstring>& parts, BYTE attributes, const SYSTEMTIME& stamp, SimFatEntry& entry);
    // Reads from a file; past its end nothing is read.
    DWORD Read(const SimFatEntry& entry, uint64_t offset, void* buffer, DWORD size, DWORD& done);
    // Writes into a file, growing it (a gap reads as zeros), and stamps it.
    DWORD Write(SimFatEntry& entry, uint64_t offset, const void* buffer, DWORD size, const SYSTEMTIME& stamp);
    DWORD Truncate(SimFatEntry& entry, const SYSTEMTIME& stamp);
    // Read-only, hidden, system and archive; the directory bit is kept.
    DWORD SetAttributes(SimFatEntry& entry, BYTE attributes);
    // Removes the entry with its long-name entries and frees its clusters.
    DWORD Remove(const SimFatEntry& entry);

private:
    struct Layout {
        SimFatKind kind = SimFatKind::kFat16;
        uint32_t sectorSize = 0;
        uint32_t sectorsPerCluster = 0;
        uint32_t fatStart = 0;  // first sector of the first FAT
        uint32_t fatSectors = 0;
        uint32_t fatCount = 0;
        uint32_t activeFat = 0;  // the FAT read; with mirroring all of them are written
        bool mirrored = true;
        uint32_t rootStart = 0;  // FAT12/16: the fixed root directory
        uint32_t rootSectors = 0;
        uint32_t rootCluster = 0;  // FAT32
        uint32_t dataStart = 0;
        uint32_t totalSectors = 0;
        uint32_t clusterCount = 0;
        uint32_t fsInfoSector = 0;  // FAT32, 0 when there is none
        uint32_t ClusterBytes() const { return sectorSize * sectorsPerCluster; }
    };
    // A directory read whole: its sectors in order and their bytes.
    struct Directory {
        uint32_t cluster = 0;
        std::vector<uint32_t> sectors;
        std::vector<BYTE> bytes;
        uint32_t EntryCount() const { return static_cast<uint32_t>(bytes.size() / 32); }
        BYTE* Entry(uint32_t index) { return &bytes[index * 32]; }
    };

    // Volume sectors, checked against the volume's end.
    DWORD ReadSectors(uint32_t first, uint32_t count, BYTE* buffer);
    DWORD WriteSectors(uint32_t first, uint32_t count, const BYTE* buffer);
    uint32_t ClusterSector(uint32_t cluster) const { return layout_.dataStart + (cluster - 2) * layout_.sectorsPerCluster; }

    // The FAT, read sector by sector as needed and written back by Flush.
    DWORD FatByte(uint32_t offset, BYTE*& byte);
    DWORD GetEntry(uint32_t cluster, uint32_t& value);
    DWORD SetEntry(uint32_t cluster, uint32_t value);
    uint32_t EndOfChain() const;
    bool IsEndOfChain(uint32_t value) const;
    // The clusters of a chain, at most `limit`; a broken link or a chain
    // longer than the volume (a loop) is ERROR_FILE_CORRUPT.
    static constexpr uint32_t kWholeChain = 0xFFFFFFFF;
    DWORD Chain(uint32_t first, uint32_t limit, std::vector<uint32_t>& chain);
    // Adds `count` zeroed clusters to the end of `chain` (empty: a new chain).
    DWORD Extend(std::vector<uint32_t>& chain, uint32_t count);
    DWORD FreeChain(uint32_t first);
    DWORD Flush();
    DWORD Transfer(const std::vector<uint32_t>& chain, uint64_t offset, const BYTE* source, uint32_t size);

    DWORD LoadDirectory(uint32_t cluster, Directory& directory);
    DWORD StoreDirectory(const Directory& directory);
    DWORD GrowDirectory(Directory& directory);
    // The entry named `name` in `directory`; false when there is none.
    bool Scan(Directory& directory, const std::wstring& name, SimFatEntry& entry);
    // The first of `count` free entries in a row, growing the directory when
    // it has none.
    DWORD FreeEntries(Directory& directory, uint32_t count, uint32_t& first);
    DWORD FindFolder(const std::vector<std::wstring>& parts, size_t count, uint32_t& cluster);
    DWORD StoreEntry(const SimFatEntry& entry, const SYSTEMTIME* stamp);

    SimPlayer& player_;
    SimVolumeExtent extent_;
    Layout layout_;
    std::map<uint32_t, std::vector<BYTE>> fat_;  // by sector within one FAT
    std::set<uint32_t> dirtyFat_;
    int64_t freedClusters_ = 0;  // for the FSInfo free count
    uint32_t nextFree_ = 2;
};

// Puts `bytes` into the file `name` of the medium's root folder, replacing
// one that is there: what a test or a fresh simulated player starts with.
DWORD SimFatWriteFile(SimPlayer& player, const std::wstring& name, const std::vector<BYTE>& bytes,
                      const SYSTEMTIME& stamp);

// Gives the medium a partition table with one partition and an empty FAT16
// or FAT32 volume in it, the way a desktop formatter lays them out. Fails
// with ERROR_INVALID_PARAMETER when the medium is too small or too large for
// that kind (or for 32-bit sector numbers).
DWORD SimFatFormat(SimPlayer& player, SimFatKind kind);
