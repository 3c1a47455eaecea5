// The component files the build puts beside the programs load as the updater
// will load them, with the versions the generator documents.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/TestHosts.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/engine/VrFwComponent.h"
#include "updater/base/VrResult.h"
#include "updater/engine/VrUpdater.h"

namespace {

uint32_t Crc32(const std::vector<uint8_t>& bytes, size_t count) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace

TEST(VrShippedComponents, LoadWithOneProductVersionAndIntactImages) {
    std::unique_ptr<Host> host = MakePlatformHost();
    CVrConfigInfo config;
    CVrUpdater updater(*host, config);
    const CVrVersionInfo componentVersions[] = {{1, 5, 2}, {1, 5, 7}, {1, 5, 12}, {1, 5, 3}};

    for (uint8_t index = 1; index <= 4; ++index) {
        SCOPED_TRACE(index);
        CVrFwComponent component(updater.GetContext(), index);
        ASSERT_EQ(kVrOk, component.GetLastResult());
        CVrVersionInfo product, version;
        component.GetProductVersion(product);
        component.GetComponentVersion(version);
        EXPECT_EQ(CVrVersionInfo(1, 5, 0), product);
        EXPECT_EQ(componentVersions[index - 1], version);

        // Sizes from tens of KiB to a few MiB, none a whole number of sectors.
        std::vector<uint8_t> image(component.GetSize());
        EXPECT_GT(image.size(), 32u * 1024);
        EXPECT_LT(image.size(), 4u * 1024 * 1024);
        EXPECT_NE(0u, image.size() % 512);
        component.GetData(0, static_cast<uint32_t>(image.size()), image.data());
        const size_t payload = image.size() - 4;
        const uint32_t stored = image[payload] | image[payload + 1] << 8 | image[payload + 2] << 16 |
                                static_cast<uint32_t>(image[payload + 3]) << 24;
        EXPECT_EQ(Crc32(image, payload), stored);
    }
}
