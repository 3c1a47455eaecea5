#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "updater/engine/VrByteArray.h"
#include "updater/engine/VrResult.h"
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

// Sizes this file system cannot serve are refused as a whole: the row of 0
// sectors per cluster, too many bytes for 32 bits, sector sizes the boot
// sector cannot describe, and cluster counts that readers would take for
// another FAT type.
TEST(VrDisk, RefusesMediaTheFileSystemCannotServe) {
    const struct {
        uint32_t sectors;
        uint32_t size;
        bool force;
    } refused[] = {
        {8193, 512, false},        // FAT16 row of 0 sectors per cluster
        {4194305, 512, true},      // forced FAT16 beyond its last row
        {8388608, 512, false},     // exactly 4 GiB
        {0xFC0000, 512, false},    // beyond every geometry
        {1000, 256, false},        // sectors too small for the images
        {100000, 600, false},      // not a sector size FAT knows
        {131073, 512, false},      // FAT32 with 2 per cluster: under 65525 clusters
        {4194304, 512, true},      // FAT16 with 64 per cluster: over 65524 clusters
        {40, 512, false},          // no room for a single cluster
    };
    for (const auto& r : refused) {
        CVrDisk disk(r.sectors, r.size, r.force);
        EXPECT_EQ(disk.GetLastResult(), kVrNoGeometry) << disk.Describe();
    }
}

// Every accepted layout holds a cluster count its own type can have, over
// the whole range of sizes and both choices of type.
TEST(VrDisk, AcceptedLayoutsKeepTheirTypesClusterRange) {
    int accepted = 0;
    for (uint32_t sectors = 64; sectors < 8388608; sectors += sectors / 9 + 1) {
        for (bool force : {false, true}) {
            CVrDisk disk(sectors, 512, force);
            if (disk.GetLastResult() != kVrOk) continue;
            ++accepted;
            const int64_t clusters = disk.GetVolume().clusterCount;
            switch (disk.GetFatType()) {
                case kVrFat12: EXPECT_LE(clusters, 4084) << disk.Describe(); break;
                case kVrFat16: EXPECT_TRUE(clusters >= 4085 && clusters <= 65524) << disk.Describe(); break;
                default: EXPECT_GE(clusters, 65525) << disk.Describe(); break;
            }
            // The FATs hold an entry for every cluster.
            const uint32_t bitsPerEntry = disk.GetFatType() == kVrFat12 ? 12 : disk.GetFatType() == kVrFat16 ? 16 : 32;
            EXPECT_GE(uint64_t(disk.GetVolume().sectorsPerFat) * 512 * 8 / bitsPerEntry, uint64_t(clusters) + 2);
        }
    }
    EXPECT_GT(accepted, 100);
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
    EXPECT_EQ(VrSearchGeometry(kVrLargestChsMedium, geometry), kVrNoGeometry);
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
    // Cylinder bits 8 and 9 ride on top of the sector byte.
    uint8_t packed[3];
    VrPackChs({0x2FF, 254, 63}, packed);
    EXPECT_EQ(std::vector<uint8_t>(packed, packed + 3), (std::vector<uint8_t>{254, 0xBF, 0xFF}));
}
