// The disk records Windows 2000 and XP hand a program for a USB disk, built
// from the medium's size and its master boot record, and the rewrite of that
// record's partition table when a program sets a new layout. Records are
// little-endian bytes at the platform's offsets.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/WinTypes.h"

const DWORD kSimGetDriveGeometry = 0x70000;
const DWORD kSimGetDriveLayout = 0x7400C;
const DWORD kSimSetDriveLayout = 0x7C010;

// The geometry record: cylinders (64-bit), media type, tracks per cylinder,
// sectors per track, bytes per sector.
const DWORD kSimGeometrySize = 24;
// The layout record: partition count, signature, then one entry per partition.
const DWORD kSimLayoutHeaderSize = 8;
const DWORD kSimPartitionEntrySize = 32;
// Only the four primary partitions of the boot record are modelled.
const DWORD kSimLayoutSize = kSimLayoutHeaderSize + 4 * kSimPartitionEntrySize;

namespace SimPartitionField {
const DWORD kStartingOffset = 0;  // 64-bit, bytes
const DWORD kLength = 8;          // 64-bit, bytes
const DWORD kHiddenSectors = 16;
const DWORD kNumber = 20;
const DWORD kType = 24;
const DWORD kBootIndicator = 25;
const DWORD kRecognized = 26;
const DWORD kRewrite = 27;
}  // namespace SimPartitionField

// The CHS view Windows reports for a USB disk, whatever the medium says.
// 255 heads of 63 sectors; a medium smaller than one such cylinder gets 64
// heads of 32 sectors (1 MiB cylinders), so that its geometry still covers
// whole cylinders and a partition laid out from it is not empty.
struct SimDiskGeometry {
    static constexpr uint32_t kRemovableMedia = 11;

    uint64_t cylinders = 0;
    uint32_t heads = 255;
    uint32_t sectorsPerTrack = 63;
    uint32_t bytesPerSector = 0;

    SimDiskGeometry(uint64_t sectors, uint32_t sectorSize);
    std::vector<BYTE> Record() const;
};

// The layout record of the boot record `sector0`: count 4, the disk
// signature, and the four table entries (unused ones all zero). A sector
// without the boot record's 0x55 0xAA mark has no partitions.
std::vector<BYTE> SimDriveLayoutRecord(const std::vector<BYTE>& sector0, uint32_t sectorSize);

// Rewrites the partition table of `sector0` from a layout record of
// `recordSize` bytes, for a disk of `sectors` sectors: the signature and
// every entry whose rewrite flag is set are written, the other bytes of the
// sector are kept (a sector that held no boot record starts from zeros).
// ERROR_INVALID_PARAMETER, with `sector0` unchanged, for a record that is
// short, counts no or more than four entries, or puts a partition off sector
// bounds, over the boot record, past the disk's end or over another.
DWORD SimApplyDriveLayout(const BYTE* record, DWORD recordSize, uint64_t sectors, uint32_t sectorSize,
                          std::vector<BYTE>& sector0);
