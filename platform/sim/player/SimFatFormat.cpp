// A fresh partition table and FAT volume on the player's medium, laid out
// the way desktop formatters do it: the partition starts after the classic
// first track of 63 sectors; FAT16 clusters are the smallest that keep the
// count inside the kind's range, FAT32 clusters the desktop's size for the
// volume (4 KiB up to 8 GiB, doubling with the volume up to 32 KiB) unless
// the count needs smaller ones; two FATs, FAT32 with its backup boot sector
// at 6.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sim/player/SimFat.h"
#include "platform/sim/player/SimFatRecords.h"
#include "platform/sim/player/SimPlayer.h"

namespace {

const uint32_t kPartitionStart = 63;
const uint32_t kHeads = 255;
const uint32_t kSectorsPerTrack = 63;
const uint32_t kMaxClusterBytes = 32768;
const uint32_t kZeroRun = 128;  // sectors per write while clearing

struct Plan {
    bool fat32 = false;
    uint32_t sectorSize = 0;
    uint32_t total = 0;  // sectors of the partition
    uint32_t reserved = 0;
    uint32_t rootEntries = 0;
    uint32_t rootSectors = 0;
    uint32_t perCluster = 0;
    uint32_t fatSectors = 0;
    uint32_t clusters = 0;
    uint32_t DataStart() const { return reserved + 2 * fatSectors + rootSectors; }
};

// The cluster size in bytes a desktop formatter gives the planned volume:
// none for FAT16 (the smallest that serves), for FAT32 4 KiB up to 8 GiB,
// 8 KiB up to 16 GiB, 16 KiB up to 32 GiB, 32 KiB beyond.
uint32_t DesktopClusterBytes(const Plan& plan) {
    if (!plan.fat32) return 0;
    const uint64_t bytes = uint64_t(plan.total) * plan.sectorSize;
    uint32_t cluster = 4096;
    for (uint64_t limit = uint64_t(8) << 30; bytes > limit && cluster < kMaxClusterBytes; limit *= 2) cluster *= 2;
    return cluster;
}

// The largest cluster up to the desktop's size that keeps the count within
// the kind's range, or the smallest that does; the FAT size is found by
// growing it until it holds every cluster it leaves.
bool PlanVolume(Plan& plan) {
    uint64_t minimum = plan.fat32 ? 65525 : 4085;
    uint64_t maximum = plan.fat32 ? 0x0FFFFFF5 : 65524;
    uint32_t entryBytes = plan.fat32 ? 4 : 2;
    const uint32_t desktop = DesktopClusterBytes(plan);
    bool planned = false;
    for (uint32_t perCluster = 1; perCluster <= 128 && perCluster * plan.sectorSize <= kMaxClusterBytes;
         perCluster *= 2) {
        uint64_t fatSectors = 1, clusters = 0;
        for (;;) {
            uint64_t overhead = plan.reserved + plan.rootSectors + 2 * fatSectors;
            if (overhead >= plan.total) return planned;
            clusters = (plan.total - overhead) / perCluster;
            uint64_t needed = ((clusters + 2) * entryBytes + plan.sectorSize - 1) / plan.sectorSize;
            if (needed <= fatSectors) break;
            fatSectors = needed;
        }
        if (clusters < minimum) break;  // larger clusters only make fewer
        if (clusters > maximum) continue;
        if (planned && perCluster * plan.sectorSize > desktop) break;
        plan.perCluster = perCluster;
        plan.fatSectors = static_cast<uint32_t>(fatSectors);
        plan.clusters = static_cast<uint32_t>(clusters);
        planned = true;
    }
    return planned;
}

// Cylinder, head and sector of a sector in the 255-head, 63-sector geometry;
// beyond cylinder 1023 the fields say "use the sector number".
void PutChs(BYTE* at, uint32_t sector) {
    uint32_t cylinder = sector / (kHeads * kSectorsPerTrack);
    uint32_t head = sector / kSectorsPerTrack % kHeads;
    uint32_t number = sector % kSectorsPerTrack + 1;
    if (cylinder > 1023) cylinder = 1023, head = kHeads - 1, number = kSectorsPerTrack;
    at[0] = static_cast<BYTE>(head);
    at[1] = static_cast<BYTE>(number | (cylinder >> 8) << 6);
    at[2] = static_cast<BYTE>(cylinder);
}

std::vector<BYTE> MasterBootRecord(const Plan& plan) {
    std::vector<BYTE> sector(plan.sectorSize, 0);
    BYTE* entry = &sector[446];
    PutChs(entry + 1, kPartitionStart);
    entry[4] = plan.fat32 ? 0x0B : 0x06;
    PutChs(entry + 5, kPartitionStart + plan.total - 1);
    SimPut32(entry + 8, kPartitionStart);
    SimPut32(entry + 12, plan.total);
    SimPut16(&sector[510], 0xAA55);
    return sector;
}

std::vector<BYTE> BootSector(const Plan& plan) {
    std::vector<BYTE> sector(plan.sectorSize, 0);
    BYTE* boot = sector.data();
    boot[0] = 0xEB;
    boot[1] = plan.fat32 ? 0x58 : 0x3C;  // past the BPB
    boot[2] = 0x90;
    std::memcpy(boot + 3, "VRSIM1.0", 8);
    SimPut16(boot + 11, plan.sectorSize);
    boot[13] = static_cast<BYTE>(plan.perCluster);
    SimPut16(boot + 14, plan.reserved);
    boot[16] = 2;
    SimPut16(boot + 17, plan.rootEntries);
    if (!plan.fat32 && plan.total < 65536) {
        SimPut16(boot + 19, plan.total);
    } else {
        SimPut32(boot + 32, plan.total);
    }
    boot[21] = 0xF8;
    if (!plan.fat32) SimPut16(boot + 22, plan.fatSectors);
    SimPut16(boot + 24, kSectorsPerTrack);
    SimPut16(boot + 26, kHeads);
    SimPut32(boot + 28, kPartitionStart);
    BYTE* extended = boot + 36;
    if (plan.fat32) {
        SimPut32(boot + 36, plan.fatSectors);
        SimPut32(boot + 44, 2);  // root directory cluster
        SimPut16(boot + 48, 1);  // FSInfo sector
        SimPut16(boot + 50, 6);  // backup boot sector
        extended = boot + 64;
    }
    extended[0] = 0x80;  // drive number
    extended[2] = 0x29;  // the serial, label and type follow
    std::memcpy(extended + 7, "NO NAME    ", 11);
    std::memcpy(extended + 18, plan.fat32 ? "FAT32   " : "FAT16   ", 8);
    SimPut16(boot + 510, 0xAA55);
    return sector;
}

std::vector<BYTE> FsInfo(const Plan& plan) {
    std::vector<BYTE> sector(plan.sectorSize, 0);
    SimPut32(&sector[0], 0x41615252);
    SimPut32(&sector[484], 0x61417272);
    SimPut32(&sector[488], plan.clusters - 1);  // all but the root directory's
    SimPut32(&sector[492], 3);
    SimPut32(&sector[508], 0xAA550000);
    return sector;
}

DWORD WriteZeros(SimPlayer& player, uint64_t first, uint64_t count, uint32_t sectorSize) {
    std::vector<BYTE> zeros(size_t(kZeroRun) * sectorSize, 0);
    for (uint64_t done = 0; done < count;) {
        uint32_t run = static_cast<uint32_t>(std::min<uint64_t>(kZeroRun, count - done));
        DWORD error = player.WriteMedium(first + done, run, zeros.data());
        if (error != ERROR_SUCCESS) return error;
        done += run;
    }
    return ERROR_SUCCESS;
}

}  // namespace

DWORD SimFatFormat(SimPlayer& player, SimFatKind kind) {
    Plan plan;
    plan.fat32 = kind == SimFatKind::kFat32;
    plan.sectorSize = player.MediumSectorSize();
    uint64_t count = player.MediumSectorCount();
    bool sizeOk = plan.sectorSize >= 512 && plan.sectorSize <= 4096 && (plan.sectorSize & (plan.sectorSize - 1)) == 0;
    if (kind == SimFatKind::kFat12 || !sizeOk || count <= kPartitionStart || count > 0xFFFFFFFFu) {
        return ERROR_INVALID_PARAMETER;
    }
    plan.total = static_cast<uint32_t>(count - kPartitionStart);
    plan.reserved = plan.fat32 ? 32 : 1;
    plan.rootEntries = plan.fat32 ? 0 : 512;
    plan.rootSectors = plan.rootEntries * 32 / plan.sectorSize;
    if (!PlanVolume(plan)) return ERROR_INVALID_PARAMETER;

    // Clear the system area (for FAT32 the root directory's cluster with it),
    // then put the records in.
    uint32_t cleared = plan.DataStart() + (plan.fat32 ? plan.perCluster : 0);
    DWORD error = WriteZeros(player, kPartitionStart, cleared, plan.sectorSize);
    std::vector<BYTE> boot = BootSector(plan);
    if (error == ERROR_SUCCESS) error = player.WriteMedium(kPartitionStart, 1, boot.data());
    if (plan.fat32) {
        std::vector<BYTE> info = FsInfo(plan);
        if (error == ERROR_SUCCESS) error = player.WriteMedium(kPartitionStart + 1, 1, info.data());
        if (error == ERROR_SUCCESS) error = player.WriteMedium(kPartitionStart + 6, 1, boot.data());
        if (error == ERROR_SUCCESS) error = player.WriteMedium(kPartitionStart + 7, 1, info.data());
    }
    // Entries 0 and 1 are reserved (the media byte, end marks); on FAT32
    // entry 2 ends the root directory's chain.
    std::vector<BYTE> head(plan.sectorSize, 0);
    const BYTE fat16Head[] = {0xF8, 0xFF, 0xFF, 0xFF};
    const BYTE fat32Head[] = {0xF8, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F};
    if (plan.fat32) {
        std::memcpy(head.data(), fat32Head, sizeof fat32Head);
    } else {
        std::memcpy(head.data(), fat16Head, sizeof fat16Head);
    }
    for (uint32_t copy = 0; copy < 2 && error == ERROR_SUCCESS; ++copy) {
        error = player.WriteMedium(kPartitionStart + plan.reserved + copy * plan.fatSectors, 1, head.data());
    }
    std::vector<BYTE> table = MasterBootRecord(plan);
    if (error == ERROR_SUCCESS) error = player.WriteMedium(0, 1, table.data());
    return error;
}
