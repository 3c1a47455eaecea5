// How the player decides at start-up between mass-storage and recovery
// mode, and where it keeps a firmware image that came by recovery stream.
#include <gtest/gtest.h>

#include "platform/sim/player/SimAllocation.h"
#include "platform/sim/player/SimBoot.h"
#include "platform/sim/player/SimCrc32.h"
#include "platform/sim/player/SimLittleEndian.h"

namespace {

// Pseudo-random bytes closed by their CRC-32, as every shipped image is.
std::vector<BYTE> Image(size_t length, uint32_t seed) {
    std::vector<BYTE> image(length);
    for (size_t i = 0; i + 4 < length; ++i, seed = seed * 1103515245u + 12345u) image[i] = BYTE(seed >> 16);
    SimPut32(&image[length - 4], SimCrc32(0, image.data(), length - 4));
    return image;
}

class Boot : public ::testing::Test {
protected:
    Boot() : state(8 << 20) {
        EXPECT_EQ(0, SimAllocateDrives(state, {{1, 0x50, 40000}, {0, 0x0A, 0}, {1, kSimMassStorageTag, 140000}}));
    }
    SimLogicalDrive& Firmware() { return state.drives[2]; }
    void Write(const std::vector<BYTE>& bytes) { state.flash.Write(Firmware().offset, bytes.data(), bytes.size()); }

    SimPlayerState state;
};

}  // namespace

TEST_F(Boot, AWholeImageStartsTheMassStorageFirmware) {
    Write(Image(122876, 1));  // in a drive larger than the image, the rest erased
    EXPECT_EQ(SimPlayerMode::kMassStorage, SimBootMode(state));
}

TEST_F(Boot, MissingErasedCutOrDamagedFirmwareMeansRecovery) {
    EXPECT_EQ(SimPlayerMode::kRecovery, SimBootMode(state)) << "erased";

    std::vector<BYTE> image = Image(122876, 2);
    std::vector<BYTE> cut(image.begin(), image.begin() + 100000);
    Write(cut);
    EXPECT_EQ(SimPlayerMode::kRecovery, SimBootMode(state)) << "cut short";

    image[5000] ^= 0x01;
    Write(image);
    EXPECT_EQ(SimPlayerMode::kRecovery, SimBootMode(state)) << "damaged";

    image[5000] ^= 0x01;
    Write(image);
    state.drives.pop_back();
    EXPECT_EQ(SimPlayerMode::kRecovery, SimBootMode(state)) << "no firmware drive";
}

// The image's last written byte is not its last byte when its checksum ends
// in bytes that look like erased flash.
TEST_F(Boot, AChecksumEndingInErasedBytesStillCounts) {
    std::vector<BYTE> image = Image(100, 3);
    for (uint32_t tweak = 0; SimGet32(&image[96]) >> 16 != 0xFFFF; ++tweak) {
        SimPut32(&image[0], tweak);
        SimPut32(&image[96], SimCrc32(0, image.data(), 96));
    }
    Write(image);
    EXPECT_EQ(SimPlayerMode::kMassStorage, SimBootMode(state));
}

TEST_F(Boot, ARecoveredImageIsStoredWhereTheDriveHoldsIt) {
    Write(Image(122876, 4));
    Firmware().componentVersion = {1, 4, 7};
    const std::vector<BYTE> recovered = Image(30000, 5);
    ASSERT_TRUE(SimStoreRecoveredFirmware(state, recovered));
    std::vector<BYTE> stored(140000);
    state.flash.Read(Firmware().offset, stored.data(), stored.size());
    EXPECT_TRUE(std::equal(recovered.begin(), recovered.end(), stored.begin()));
    EXPECT_EQ(std::vector<BYTE>(stored.size() - recovered.size(), 0xFF),
              std::vector<BYTE>(stored.begin() + recovered.size(), stored.end()))
        << "the old image's tail is erased";
    EXPECT_EQ(SimVersionRecord(), Firmware().componentVersion);
    EXPECT_EQ(SimPlayerMode::kMassStorage, SimBootMode(state));

    EXPECT_FALSE(SimStoreRecoveredFirmware(state, Image(150000, 6))) << "larger than the drive";
    state.EraseMedia();
    EXPECT_FALSE(SimStoreRecoveredFirmware(state, recovered)) << "no drives";
    EXPECT_EQ(SimPlayerMode::kRecovery, SimBootMode(state));
}
