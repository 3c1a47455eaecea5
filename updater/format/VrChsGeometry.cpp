#include "updater/format/VrChsGeometry.h"

#include <cstdio>

#include "updater/base/VrResult.h"

namespace {

const uint32_t kMaxCylinders = 1024;
const uint32_t kMaxHeads = 256;
const uint32_t kMaxSectors = 63;
const uint16_t kLargeHeads = 255;

}  // namespace

// The search walks cylinders and heads; for each pair the sector loop of the
// full nesting is settled at once. Its first product at or past the medium
// is either exact or yields the one candidate of the pair: every later
// sector count's predecessor also lies past the medium, and its remainder,
// counted unsigned, wraps beyond any that can win.
int32_t VrSearchGeometry(uint32_t sectorCount, VrChsGeometry& geometry) {
    geometry = VrChsGeometry();
    geometry.totalSectors = sectorCount;
    if (sectorCount >= kVrLargestChsMedium) {
        geometry.cylinders = kMaxCylinders;
        geometry.heads = kLargeHeads;
        geometry.sectorsPerTrack = kMaxSectors;
        geometry.large = true;
        return kVrOk;
    }
    uint32_t best = 0x7FFFFFFF;
    uint32_t bestC = 0, bestH = 0, bestS = 0;
    for (uint32_t c = 1; c <= kMaxCylinders; ++c) {
        for (uint32_t h = 1; h <= kMaxHeads; ++h) {
            const uint32_t track = c * h;
            if (track * kMaxSectors < sectorCount) continue;  // no product of this pair reaches the medium
            uint32_t s = (sectorCount + track - 1) / track;
            if (s == 0) s = 1;
            if (track * s == sectorCount) {
                geometry.cylinders = static_cast<uint16_t>(c);
                geometry.heads = static_cast<uint16_t>(h);
                geometry.sectorsPerTrack = static_cast<uint8_t>(s);
                return kVrOk;
            }
            // The combination the full nesting visits just before this one.
            uint32_t pc = c, ph = h, ps = s - 1;
            if (ps == 0) {
                ph = h - 1, ps = kMaxSectors;
                if (ph == 0) {
                    pc = c - 1, ph = kMaxHeads;
                    if (pc == 0) {
                        std::fputs("ERROR - bad CHS solution\r\n", stdout);
                        return kVrNoGeometry;
                    }
                }
            }
            // Unsigned on purpose: a predecessor that is itself past the
            // medium wraps to a huge remainder and never wins.
            const uint32_t remainder = sectorCount - pc * ph * ps;
            if (remainder < best) best = remainder, bestC = pc, bestH = ph, bestS = ps;
        }
    }
    geometry.cylinders = static_cast<uint16_t>(bestC);
    geometry.heads = static_cast<uint16_t>(bestH);
    geometry.sectorsPerTrack = static_cast<uint8_t>(bestS);
    return kVrOk;
}

int32_t VrFindChs(const VrChsGeometry& geometry, uint32_t sector, VrChsAddress& address) {
    if (sector == 0 || geometry.heads == 0 || geometry.sectorsPerTrack == 0) return kVrChsNotFound;
    const uint32_t index = sector - 1;
    const uint32_t track = index / geometry.sectorsPerTrack;
    const uint32_t cylinder = track / geometry.heads;
    if (cylinder >= geometry.cylinders) {
        if (!geometry.large || geometry.cylinders == 0) return kVrChsNotFound;
        address.cylinder = static_cast<uint16_t>(geometry.cylinders - 1);
        address.head = static_cast<uint16_t>(geometry.heads - 1);
        address.sector = geometry.sectorsPerTrack;
        return kVrOk;
    }
    address.cylinder = static_cast<uint16_t>(cylinder);
    address.head = static_cast<uint16_t>(track % geometry.heads);
    address.sector = static_cast<uint8_t>(index % geometry.sectorsPerTrack + 1);
    return kVrOk;
}

void VrPackChs(const VrChsAddress& address, uint8_t* at) {
    at[0] = static_cast<uint8_t>(address.head);
    at[1] = static_cast<uint8_t>((address.sector & 0x3F) | ((address.cylinder >> 8) & 0x03) << 6);
    at[2] = static_cast<uint8_t>(address.cylinder);
}
