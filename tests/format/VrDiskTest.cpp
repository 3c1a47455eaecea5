#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "updater/base/VrByteArray.h"
#include "updater/base/VrResult.h"
#include "updater/format/VrDisk.h"

namespace {

uint32_t Le16(const CVrDisk::SectorImage& image, size_t offset) { return image[offset] | image[offset + 1] << 8; }

uint32_t Le32(const CVrDisk::SectorImage& image, size_t offset) {
    return Le16(image, offset) | Le16(image, offset + 2) << 16;
}

std::vector<uint8_t> Bytes(const CVrDisk::SectorImage& image, size_t offset, size_t count) {
    return std::vector<uint8_t>(image.begin() + offset, image.begin() + offset + count);
}

std::string Text(const CVrDisk::SectorImage& image, size_t offset, size_t count) {
    return std::string(image.begin() + offset, image.begin() + offset + count);
}

bool AllZero(const CVrDisk::SectorImage& image, size_t offset, size_t count) {
    for (size_t i = offset; i < offset + count; ++i) {
        if (image[i] != 0) return false;
    }
    return true;
}

// What every boot sector shares, whatever its type.
void ExpectCommonBootSector(const CVrDisk& disk) {
    const CVrDisk::SectorImage& boot = disk.GetBootSector();
    EXPECT_EQ(Bytes(boot, 0, 3), (std::vector<uint8_t>{0xEB, 0x3E, 0x90}));
    EXPECT_EQ(Text(boot, 3, 8), "MSWIN4.1");
    EXPECT_EQ(Le16(boot, 11), disk.GetSectorSize());
    EXPECT_EQ(boot[16], 2);
    EXPECT_EQ(boot[21], 0xF8);
    EXPECT_EQ(Le16(boot, 24), disk.GetGeometry().sectorsPerTrack);
    EXPECT_EQ(Le16(boot, 26), disk.GetGeometry().heads);
    EXPECT_EQ(Le32(boot, 28), disk.GetGeometry().sectorsPerTrack);
    EXPECT_EQ(Bytes(boot, 510, 2), (std::vector<uint8_t>{0x55, 0xAA}));
    const CVrDisk::SectorImage& mbr = disk.GetMbr();
    EXPECT_TRUE(AllZero(mbr, 0, 446));
    EXPECT_EQ(mbr[446], 0x80);
    EXPECT_TRUE(AllZero(mbr, 462, 48));
    EXPECT_EQ(Bytes(mbr, 510, 2), (std::vector<uint8_t>{0x55, 0xAA}));
}

}  // namespace

TEST(VrDisk, FourMebibytesIsFat12WithEightSectorsPerCluster) {
    CVrDisk disk(8192, 512, false);
    ASSERT_EQ(disk.GetLastResult(), kVrOk) << disk.Describe();
    ExpectCommonBootSector(disk);
    EXPECT_EQ(disk.GetFatType(), kVrFat12);
    const CVrDisk::SectorImage& boot = disk.GetBootSector();
    EXPECT_EQ(boot[13], 8);
    EXPECT_EQ(Le16(boot, 14), 1u);
    EXPECT_EQ(Le16(boot, 17), 512u);
    EXPECT_EQ(Text(boot, 54, 8), "FAT12   ");
    EXPECT_EQ(disk.GetMbr()[450], 0x01);
    EXPECT_EQ(disk.GetVolume().clusterCount, 1014);
}

TEST(VrDisk, ThirtyTwoMebibytesIsFat16OnAnExactGeometry) {
    CVrDisk disk(65536, 512, false);
    ASSERT_EQ(disk.GetLastResult(), kVrOk);
    EXPECT_EQ(disk.Describe(),
              "result: 0\n"
              "medium: 65536 sectors of 512 bytes\n"
              "fat type: FAT16\n"
              "geometry: 8 cylinders x 256 heads x 32 sectors\n"
              "covered sectors: 65536\n"
              "tail sectors: 0\n"
              "partition: from 32, 65504 sectors, type 0x6\n"
              "sectors per cluster: 1\n"
              "reserved sectors: 1\n"
              "fats: 2 of 254 sectors\n"
              "root entries: 512 (32 sectors)\n"
              "root area sectors: 32\n"
              "clusters: 64963\n");
    ExpectCommonBootSector(disk);
    const CVrDisk::SectorImage& boot = disk.GetBootSector();
    EXPECT_EQ(Le16(boot, 19), 65504u);
    EXPECT_EQ(Le32(boot, 32), 0u);
    EXPECT_EQ(Le16(boot, 22), 254u);
    EXPECT_EQ(boot[36], 0x80);
    EXPECT_EQ(boot[38], 0x29);
    // Serial number and the 11 label bytes are zero.
    EXPECT_TRUE(AllZero(boot, 39, 15));
    EXPECT_EQ(Text(boot, 54, 8), "FAT16   ");
    const CVrDisk::SectorImage& mbr = disk.GetMbr();
    EXPECT_EQ(Le32(mbr, 454), 32u);
    EXPECT_EQ(Le32(mbr, 458), 65504u);
}

TEST(VrDisk, SixtyFourMebibytesIsFat32WithAZeroSixteenBitFatField) {
    CVrDisk disk(131072, 512, false);
    ASSERT_EQ(disk.GetLastResult(), kVrOk);
    ExpectCommonBootSector(disk);
    EXPECT_EQ(disk.GetFatType(), kVrFat32);
    const CVrDisk::SectorImage& boot = disk.GetBootSector();
    EXPECT_EQ(boot[13], 1);
    EXPECT_EQ(Le16(boot, 14), 32u);
    EXPECT_EQ(Le16(boot, 17), 0u);
    EXPECT_EQ(Le16(boot, 22), 0u);
    EXPECT_EQ(Le32(boot, 36), 1016u);
    EXPECT_EQ(disk.GetRootAreaSectors(), 1);
}

TEST(VrDisk, OneHundredTwentyEightMebibytesAsWorkedOut) {
    CVrDisk disk(262144, 512, false);
    ASSERT_EQ(disk.GetLastResult(), kVrOk);
    ExpectCommonBootSector(disk);
    const VrChsGeometry& g = disk.GetGeometry();
    EXPECT_EQ(g.cylinders, 32);
    EXPECT_EQ(g.heads, 256);
    EXPECT_EQ(g.sectorsPerTrack, 32);
    EXPECT_EQ(disk.GetTailSectors(), 0u);
    const CVrDisk::SectorImage& mbr = disk.GetMbr();
    EXPECT_EQ(Bytes(mbr, 447, 3), (std::vector<uint8_t>{0x01, 0x01, 0x00}));
    EXPECT_EQ(mbr[450], 0x0B);
    EXPECT_EQ(Bytes(mbr, 451, 3), (std::vector<uint8_t>{0xFF, 0x20, 0x1F}));
    EXPECT_EQ(Le32(mbr, 454), 32u);
    EXPECT_EQ(Le32(mbr, 458), 262112u);
    const CVrDisk::SectorImage& boot = disk.GetBootSector();
    EXPECT_EQ(boot[13], 2);
    EXPECT_EQ(Le16(boot, 19), 0u);
    EXPECT_EQ(Le32(boot, 32), 262112u);
    EXPECT_EQ(Le32(boot, 36), 1020u);
    EXPECT_EQ(Le16(boot, 40), 0u);
    EXPECT_EQ(Le16(boot, 42), 0u);
    EXPECT_EQ(Le32(boot, 44), 2u);
    EXPECT_EQ(Le16(boot, 48), 1u);
    EXPECT_EQ(Le16(boot, 50), 6u);
    EXPECT_EQ(boot[64], 0x80);
    EXPECT_EQ(boot[66], 0x29);
    EXPECT_TRUE(AllZero(boot, 67, 15));
    EXPECT_EQ(Text(boot, 82, 8), "FAT32   ");
    EXPECT_EQ(disk.GetVolume().clusterCount, 130020);
}

TEST(VrDisk, InexactMediumKeepsTheSmallestRemainderAsTail) {
    CVrDisk disk(1000003, 512, false);
    ASSERT_EQ(disk.GetLastResult(), kVrOk);
    const VrChsGeometry& g = disk.GetGeometry();
    EXPECT_EQ(g.cylinders, 80);
    EXPECT_EQ(g.heads, 250);
    EXPECT_EQ(g.sectorsPerTrack, 50);
    EXPECT_EQ(disk.GetTailSectors(), 3u);
    EXPECT_EQ(Le32(disk.GetMbr(), 454), 50u);
    EXPECT_EQ(Le32(disk.GetMbr(), 458), 999950u);
    EXPECT_EQ(disk.GetFatType(), kVrFat32);
    EXPECT_EQ(disk.GetBootSector()[13], 8);
    EXPECT_EQ(Le32(disk.GetBootSector(), 36), 976u);
    // The last partition sector is the last covered one.
    VrChsAddress last;
    ASSERT_EQ(disk.FindChs(1000000, last), kVrOk);
    EXPECT_EQ(Bytes(disk.GetMbr(), 451, 3),
              (std::vector<uint8_t>{uint8_t(last.head), uint8_t(last.sector), uint8_t(last.cylinder)}));
}

TEST(VrDisk, ForcedFat16OnSixtyFourMebibytes) {
    CVrDisk disk(131072, 512, true);
    ASSERT_EQ(disk.GetLastResult(), kVrOk);
    EXPECT_EQ(disk.GetFatType(), kVrFat16);
    EXPECT_EQ(disk.GetBootSector()[13], 2);
    EXPECT_EQ(disk.GetMbr()[450], 0x06);
    EXPECT_EQ(Le16(disk.GetBootSector(), 22), 255u);
    EXPECT_EQ(disk.GetVolume().clusterCount, 65248);
}

TEST(VrDisk, Fat32SectorsBesideTheBootSector) {
    CVrDisk disk(262144, 512, false);
    const CVrDisk::SectorImage& info = disk.GetFsInfo();
    EXPECT_EQ(Text(info, 0, 4), "RRaA");
    EXPECT_EQ(Text(info, 484, 4), "rrAa");
    EXPECT_EQ(Le32(info, 488), 0xFFFFFFFFu);
    EXPECT_EQ(Le32(info, 492), 0xFFFFFFFFu);
    EXPECT_EQ(Bytes(info, 508, 4), (std::vector<uint8_t>{0x00, 0x00, 0x55, 0xAA}));
    EXPECT_TRUE(AllZero(info, 4, 480));
    const CVrDisk::SectorImage& third = disk.GetThirdBootSector();
    EXPECT_TRUE(AllZero(third, 0, 510));
    EXPECT_EQ(Bytes(third, 510, 2), (std::vector<uint8_t>{0x55, 0xAA}));
}

TEST(VrDisk, FatSignaturePerType) {
    const struct {
        uint32_t sectors;
        std::vector<uint8_t> signature;
    } cases[] = {
        {8192, {0xF8, 0xFF, 0xFF, 0x00}},
        {65536, {0xF8, 0xFF, 0xFF, 0xFF, 0x00}},
        {262144, {0xF8, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0x0F, 0x00}},
    };
    for (const auto& c : cases) {
        CVrDisk disk(c.sectors, 512, false);
        CVrByteArray fat(512);
        ASSERT_EQ(disk.WriteFatSignature(fat), kVrOk);
        std::vector<uint8_t> start(c.signature.size());
        fat.GetBytes(start.data(), static_cast<uint32_t>(start.size()), 0);
        EXPECT_EQ(start, c.signature) << c.sectors;
    }
    // A layout that never decided its type has no signature.
    CVrDisk refused(1000, 256, false);
    CVrByteArray fat(512);
    EXPECT_EQ(refused.WriteFatSignature(fat), kVrUnknownFatType);
}

// Only what no FAT layout serves is refused: sector sizes the boot sector's
// images do not fit, media too small for a single cluster, and a forced
// FAT16 outside the sizes FAT16 can hold.
TEST(VrDisk, RefusesOnlyWhatNoFatLayoutServes) {
    const struct {
        uint32_t sectors;
        uint32_t size;
        bool force;
        int32_t result;
    } refused[] = {
        {40, 512, false, kVrBeyondFat},          // no room for a single cluster
        {1000, 256, false, kVrBeyondFat},        // sectors too small for the images
        {100000, 600, false, kVrBeyondFat},      // not a sector size FAT knows
        {100000, 8192, false, kVrBeyondFat},     // nor one it uses
        {4000, 512, true, kVrFat16CannotHold},   // FAT16 with 1 per cluster: under 4085 clusters
        {16777216, 512, true, kVrFat16CannotHold},  // FAT16 with 128 per cluster: over 65524
    };
    for (const auto& r : refused) {
        CVrDisk disk(r.sectors, r.size, r.force);
        EXPECT_EQ(disk.GetLastResult(), r.result) << disk.Describe();
    }
    EXPECT_EQ(VrCheckLayout(uint64_t(1) << 32, 512, false), kVrBeyondFat);
    EXPECT_EQ(VrCheckLayout(0xFFFFFFFFu, 512, false), kVrOk);
}

// Where the size table's row gives no cluster size, or one that puts the
// cluster count outside the type's range, the nearest power of two that
// keeps the type is taken; where none can, the next smaller type.
TEST(VrDisk, TheNearestClusterSizeWhereTheTableFails) {
    const struct {
        uint32_t sectors;
        uint32_t size;
        bool force;
        int16_t type;
        uint8_t sectorsPerCluster;
    } cases[] = {
        {8193, 512, false, kVrFat16, 1},      // the row of 0 just above 4 MiB
        {131073, 512, false, kVrFat32, 1},    // the row of 2 gives under 65525 clusters
        {262145, 512, false, kVrFat32, 2},    // the row of 4 does too
        {4194305, 512, true, kVrFat16, 128},  // forced FAT16 past the table's last row
        {65537, 512, false, kVrFat16, 2},     // too few sectors for any FAT32
        {16385, 2048, false, kVrFat16, 1},    // FAT32 by its bytes, FAT16 by its sectors
    };
    for (const auto& c : cases) {
        CVrDisk disk(c.sectors, c.size, c.force);
        ASSERT_EQ(disk.GetLastResult(), kVrOk) << disk.Describe();
        EXPECT_EQ(disk.GetFatType(), c.type) << disk.Describe();
        EXPECT_EQ(disk.GetBootSector()[13], c.sectorsPerCluster) << disk.Describe();
    }
}

// From 1024 x 256 x 63 sectors on, no CHS geometry covers the medium: the
// partition runs from the first track of 63 sectors to the medium's end, and
// its last sector's CHS address is the largest there is.
TEST(VrDisk, LargeMediaTakeTheConventionalLayout) {
    for (uint32_t sectors : {kVrLargestChsMedium, 0xFFFFFFFFu}) {
        CVrDisk disk(sectors, 512, false);
        ASSERT_EQ(disk.GetLastResult(), kVrOk) << disk.Describe();
        ExpectCommonBootSector(disk);
        EXPECT_EQ(disk.GetFatType(), kVrFat32);
        EXPECT_EQ(disk.GetTailSectors(), 0u);
        const CVrDisk::SectorImage& mbr = disk.GetMbr();
        EXPECT_EQ(Bytes(mbr, 447, 3), (std::vector<uint8_t>{0x01, 0x01, 0x00}));
        EXPECT_EQ(mbr[450], 0x0C);
        EXPECT_EQ(Bytes(mbr, 451, 3), (std::vector<uint8_t>{0xFE, 0xFF, 0xFF}));
        EXPECT_EQ(Le32(mbr, 454), 63u);
        EXPECT_EQ(Le32(mbr, 458), sectors - 63);
        const CVrDisk::SectorImage& boot = disk.GetBootSector();
        EXPECT_EQ(Le16(boot, 24), 63u);
        EXPECT_EQ(Le16(boot, 26), 255u);
        EXPECT_EQ(Le32(boot, 32), sectors - 63);
    }
}

namespace {

// What every layout must be for a reader to see the volume written: a cluster
// count inside its type's range, FATs with an entry for every cluster, a
// partition inside the medium that the MBR and the boot sector agree on.
void ExpectValidLayout(const CVrDisk& disk) {
    const VrVolumeLayout& v = disk.GetVolume();
    switch (disk.GetFatType()) {
        case kVrFat12: EXPECT_TRUE(v.clusterCount >= 1 && v.clusterCount <= 4084) << disk.Describe(); break;
        case kVrFat16: EXPECT_TRUE(v.clusterCount >= 4085 && v.clusterCount <= 65524) << disk.Describe(); break;
        case kVrFat32: EXPECT_TRUE(v.clusterCount >= 65525 && v.clusterCount <= 0x0FFFFFF5) << disk.Describe(); break;
        default: ADD_FAILURE() << disk.Describe();
    }
    const uint32_t bitsPerEntry = disk.GetFatType() == kVrFat12 ? 12 : disk.GetFatType() == kVrFat16 ? 16 : 32;
    EXPECT_GE(uint64_t(v.sectorsPerFat) * disk.GetSectorSize() * 8 / bitsPerEntry, uint64_t(v.clusterCount) + 2)
        << disk.Describe();
    EXPECT_GE(v.partitionStart, 1u) << disk.Describe();
    EXPECT_LE(uint64_t(v.partitionStart) + v.partitionSectors, disk.GetSectorCount()) << disk.Describe();
    const CVrDisk::SectorImage& mbr = disk.GetMbr();
    EXPECT_EQ(Le32(mbr, 454), v.partitionStart);
    EXPECT_EQ(Le32(mbr, 458), v.partitionSectors);
    const CVrDisk::SectorImage& boot = disk.GetBootSector();
    EXPECT_EQ(Le16(boot, 19) + Le32(boot, 32), v.partitionSectors) << disk.Describe();
    EXPECT_EQ(Le32(boot, 28), v.partitionStart);
}

// The sizes where the layout changes its mind, one sector either side: the
// rows of the size table, the FAT type thresholds in this sector size, the
// end of the CHS geometries, the old 4 GiB limit and the last 32-bit count;
// and a thousand more, spread to the last one, denser where sizes are small.
std::vector<uint32_t> SweepSizes(uint32_t sectorSize) {
    std::vector<uint64_t> bounds = {8400,   65536,    131072,   262144,   524288,   1048576,           2097152,
                                    4194304, 66600,   532480,   16777216, 33554432, 67108864,          kVrLargestChsMedium,
                                    0x400000 / sectorSize, 0x2000000 / sectorSize, 0xFFFFFFFFu / sectorSize};
    std::vector<uint32_t> sizes;
    for (uint64_t bound : bounds) {
        for (uint64_t size : {bound - 1, bound, bound + 1}) sizes.push_back(static_cast<uint32_t>(size));
    }
    sizes.push_back(0xFFFFFFFEu);
    sizes.push_back(0xFFFFFFFFu);
    for (int i = 1; i <= 1000; ++i) {
        const double share = i / 1000.0;
        sizes.push_back(static_cast<uint32_t>(1024 + (0xFFFFFFFFu - 1024) * share * share * share));
    }
    return sizes;
}

}  // namespace

// Every size of the sweep gets a valid layout in every sector size served;
// forced FAT16 gets one wherever FAT16 can hold the medium, and its own
// refusal elsewhere.
TEST(VrDisk, EveryMediumOfTheSweepGetsAValidLayout) {
    for (uint32_t sectorSize : {512u, 1024u, 2048u, 4096u}) {
        for (uint32_t sectors : SweepSizes(sectorSize)) {
            CVrDisk disk(sectors, sectorSize, false);
            ASSERT_EQ(disk.GetLastResult(), kVrOk) << disk.Describe();
            ExpectValidLayout(disk);
        }
        int forced = 0;
        for (uint32_t sectors : SweepSizes(sectorSize)) {
            if (sectors >= kVrLargestChsMedium) continue;  // beyond FAT16 in every sector size
            CVrDisk disk(sectors, sectorSize, true);
            if (disk.GetLastResult() == kVrFat16CannotHold) continue;
            ASSERT_EQ(disk.GetLastResult(), kVrOk) << disk.Describe();
            EXPECT_EQ(disk.GetFatType(), kVrFat16);
            ExpectValidLayout(disk);
            ++forced;
        }
        EXPECT_GT(forced, 20) << sectorSize;
    }
}

TEST(VrDisk, LargerSectorsScaleTheRootArea) {
    CVrDisk disk(16384, 2048, false);
    ASSERT_EQ(disk.GetLastResult(), kVrOk) << disk.Describe();
    EXPECT_EQ(disk.GetFatType(), kVrFat16);
    EXPECT_EQ(disk.GetRootAreaSectors(), 8);
    EXPECT_EQ(disk.GetVolume().rootDirectorySectors, 8u);
    EXPECT_EQ(Le16(disk.GetBootSector(), 11), 2048u);
}

TEST(VrDisk, EmptyMediumHasNoGeometry) {
    testing::internal::CaptureStdout();
    CVrDisk disk(0, 512, false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR - bad CHS solution\r\n");
    EXPECT_EQ(disk.GetLastResult(), kVrNoGeometry);
}

TEST(VrChsGeometry, ExactProductsTakeTheFewestCylindersThenHeads) {
    VrChsGeometry geometry;
    // 385 = 5 x 7 x 11: one cylinder of 7 heads x 55 sectors comes first.
    ASSERT_EQ(VrSearchGeometry(385, geometry), kVrOk);
    EXPECT_EQ(geometry.cylinders, 1);
    EXPECT_EQ(geometry.heads, 7);
    EXPECT_EQ(geometry.sectorsPerTrack, 55);
    // A prime beyond every single dimension: 1030 = 103 x 10 is the first
    // product one short of it.
    ASSERT_EQ(VrSearchGeometry(1031, geometry), kVrOk);
    EXPECT_EQ(geometry.cylinders, 1);
    EXPECT_EQ(geometry.heads, 103);
    EXPECT_EQ(geometry.sectorsPerTrack, 10);
    // Beyond the search, the geometry of large media.
    ASSERT_EQ(VrSearchGeometry(kVrLargestChsMedium, geometry), kVrOk);
    EXPECT_TRUE(geometry.large);
    EXPECT_EQ(geometry.CoveredSectors(), kVrLargestChsMedium);
}

TEST(VrChsGeometry, AddressesCountSectorsFromOne) {
    VrChsGeometry geometry;
    geometry.cylinders = 2, geometry.heads = 2, geometry.sectorsPerTrack = 2;
    VrChsAddress address;
    ASSERT_EQ(VrFindChs(geometry, 8, address), kVrOk);
    EXPECT_EQ(address.cylinder, 1);
    EXPECT_EQ(address.head, 1);
    EXPECT_EQ(address.sector, 2);
    EXPECT_EQ(VrFindChs(geometry, 9, address), kVrChsNotFound);
    EXPECT_EQ(VrFindChs(geometry, 0, address), kVrChsNotFound);
    // A large medium's addresses past the last cylinder are the last one.
    geometry.large = true;
    ASSERT_EQ(VrFindChs(geometry, 9, address), kVrOk);
    EXPECT_EQ(address.cylinder, 1);
    EXPECT_EQ(address.head, 1);
    EXPECT_EQ(address.sector, 2);
    // Cylinder bits 8 and 9 ride on top of the sector byte.
    uint8_t packed[3];
    VrPackChs({0x2FF, 254, 63}, packed);
    EXPECT_EQ(std::vector<uint8_t>(packed, packed + 3), (std::vector<uint8_t>{254, 0xBF, 0xFF}));
}
