// The cylinder/head/sector view of the player's medium that the partition
// table and the boot sector carry. The player has no real geometry, so one is
// searched for whose product covers as much of the medium as possible; media
// too large for any such product get the view every system gives them.
#pragma once

#include <cstdint>

// Media of this many sectors or more (1024 x 256 x 63) lie beyond every
// geometry the search tries.
const uint32_t kVrLargestChsMedium = 0xFC0000;

struct VrChsGeometry {
    uint32_t totalSectors = 0;
    uint16_t heads = 0;
    uint8_t sectorsPerTrack = 0;
    uint16_t cylinders = 0;
    // A medium of kVrLargestChsMedium sectors or more: 1024 cylinders of 255
    // heads x 63 sectors, as every system lays such media out. Its partition
    // runs to the medium's end (the whole medium counts as covered) and
    // addresses beyond the last cylinder read as the last CHS address.
    bool large = false;

    uint32_t CoveredSectors() const {
        return large ? totalSectors : uint32_t(cylinders) * heads * sectorsPerTrack;
    }
};

struct VrChsAddress {
    uint16_t cylinder = 0;
    uint16_t head = 0;
    uint8_t sector = 0;
};

// Below kVrLargestChsMedium: tries cylinders 1..1024, heads 1..256, sectors
// 1..63 in that nesting and takes the first exact product; otherwise the
// combination just before the first product past the medium that leaves the
// smallest remainder (the first of equals). From kVrLargestChsMedium on: the
// large geometry above. -33 for a medium of 0 sectors, with the message the
// updater has always printed.
int32_t VrSearchGeometry(uint32_t sectorCount, VrChsGeometry& geometry);

// The address of `sector`, counted from 1 as CHS sectors are; -34 when it
// lies beyond the cylinders of a geometry that is not large.
int32_t VrFindChs(const VrChsGeometry& geometry, uint32_t sector, VrChsAddress& address);

// The three bytes of a partition entry: head; sector with cylinder bits 8-9
// on top; cylinder bits 0-7.
void VrPackChs(const VrChsAddress& address, uint8_t* at);
