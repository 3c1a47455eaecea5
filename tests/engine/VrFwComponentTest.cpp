// Component files beside the program: the header scan, the image cut, the
// decryption step and the byte ranges the drives write.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/engine/EngineTestBed.h"
#include "updater/engine/VrComponentHeader.h"
#include "updater/engine/VrFwComponent.h"
#include "updater/base/VrResult.h"

namespace {

const uint8_t kUsbMsc = 2;  // "usbmsc.sb"
const char kBothVersions[] = "Test image\nProduct Version: 1.5.0\nComponent Version: 1.5.7\n";

class VrFwComponentTest : public ::testing::Test, protected EngineTestBed {
protected:
    std::unique_ptr<CVrFwComponent> Load(const std::vector<uint8_t>& file) {
        WriteComponentFile("usbmsc.sb", file);
        return std::make_unique<CVrFwComponent>(updater.GetContext(), kUsbMsc);
    }

    static std::vector<uint8_t> Image(const CVrFwComponent& component) {
        std::vector<uint8_t> image(component.GetSize());
        component.GetData(0, static_cast<uint32_t>(image.size()), image.data());
        return image;
    }
};

}  // namespace

TEST_F(VrFwComponentTest, ImageFollowsTheMarkerAndTheHeaderGivesBothVersions) {
    const std::vector<uint8_t> image = ImageBytes(1000);
    std::unique_ptr<CVrFwComponent> component = Load(ComponentFile(kBothVersions, image));

    EXPECT_EQ(kVrOk, component->GetLastResult());
    EXPECT_EQ(kVrHeaderBoth, component->GetHeaderState());
    EXPECT_EQ(image, Image(*component));
    CVrVersionInfo product, version;
    component->GetProductVersion(product);
    component->GetComponentVersion(version);
    EXPECT_EQ(CVrVersionInfo(1, 5, 0), product);
    EXPECT_EQ(CVrVersionInfo(1, 5, 7), version);
    // Entered in the failure record even when it succeeded.
    EXPECT_EQ("CVrFwComponent", updater.GetErrorRecord().GetObjectName());
    EXPECT_EQ(kUsbMsc, updater.GetErrorRecord().GetComponentIndex());
}

TEST_F(VrFwComponentTest, OneVersionLineIsAHeaderTooAndTheImageIsCutAtTheMarker) {
    const std::vector<uint8_t> image = ImageBytes(300);
    std::unique_ptr<CVrFwComponent> product = Load(ComponentFile("Product Version: 2.0.1\n", image));
    EXPECT_EQ(kVrHeaderProductOnly, product->GetHeaderState());
    EXPECT_EQ(image, Image(*product));

    std::unique_ptr<CVrFwComponent> component = Load(ComponentFile("Component Version: 2.0.1\n", image));
    EXPECT_EQ(kVrHeaderComponentOnly, component->GetHeaderState());
    EXPECT_EQ(image, Image(*component));
}

TEST_F(VrFwComponentTest, FileWithoutVersionLinesIsTheImageMarkerAndAll) {
    const std::vector<uint8_t> file = ComponentFile("Version 1.2.3\n", ImageBytes(64));
    std::unique_ptr<CVrFwComponent> component = Load(file);
    EXPECT_EQ(kVrOk, component->GetLastResult());
    EXPECT_EQ(kVrHeaderNone, component->GetHeaderState());
    EXPECT_EQ(file, Image(*component));
    CVrVersionInfo product;
    component->GetProductVersion(product);
    EXPECT_EQ(CVrVersionInfo(0, 0, 0), product);
}

TEST_F(VrFwComponentTest, HeaderWithoutMarkerFailsButKeepsItsVersions) {
    std::unique_ptr<CVrFwComponent> component = Load(ComponentFile(kBothVersions, ImageBytes(100), false));
    EXPECT_EQ(kVrBadComponentFile, component->GetLastResult());
    EXPECT_EQ(0u, component->GetSize());
    CVrVersionInfo version;
    component->GetComponentVersion(version);
    EXPECT_EQ(CVrVersionInfo(1, 5, 7), version);
    EXPECT_EQ(kVrBadComponentFile, updater.GetErrorRecord().GetResultCode());
}

TEST_F(VrFwComponentTest, MissingFileIsRecordedWithItsComponent) {
    CVrFwComponent component(updater.GetContext(), 4);
    EXPECT_EQ(kVrFileOpenFailed, component.GetLastResult());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), component.GetSystemError());
    const CVrErrorRecord& record = updater.GetErrorRecord();
    EXPECT_EQ(kVrFileOpenFailed, record.GetResultCode());
    EXPECT_EQ(4, record.GetComponentIndex());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), record.GetSystemError());
}

// Lines come in pieces of 79 characters: a label cut by a piece boundary is
// not seen, one wholly inside the second piece is.
TEST_F(VrFwComponentTest, LongLinesAreReadInPiecesOf79) {
    const std::string split = std::string(70, 'x') + "Product Version: 9.9.9\n";
    const std::string inside = std::string(85, 'y') + "Component Version: 3.4.5\r\n";
    std::unique_ptr<CVrFwComponent> component =
        Load(ComponentFile(split + inside + "Product Version: 3.4.0\n", ImageBytes(10)));
    EXPECT_EQ(kVrHeaderBoth, component->GetHeaderState());
    CVrVersionInfo product, version;
    component->GetProductVersion(product);
    component->GetComponentVersion(version);
    EXPECT_EQ(CVrVersionInfo(3, 4, 0), product);
    EXPECT_EQ(CVrVersionInfo(3, 4, 5), version);
}

TEST_F(VrFwComponentTest, MarkerAcrossTheSearchPiecesIsFound) {
    // The marker starts 2 bytes before 64 KiB, so it spans two reads.
    std::string header = kBothVersions;
    header += std::string(65534 - header.size() - 1, 'z') + "\n";
    const std::vector<uint8_t> image = ImageBytes(5000);
    std::unique_ptr<CVrFwComponent> component = Load(ComponentFile(header, image));
    EXPECT_EQ(kVrOk, component->GetLastResult());
    EXPECT_EQ(image, Image(*component));
}

// The shipped configuration sends every image through the decryption step.
TEST_F(VrFwComponentTest, ImagesLargerThanADecryptionSliceComeThroughUnchanged) {
    const std::vector<uint8_t> image = ImageBytes(2 * 1024 * 1024 + 333, 7);
    std::unique_ptr<CVrFwComponent> component = Load(ComponentFile(kBothVersions, image));
    EXPECT_EQ(kVrOk, component->GetLastResult());
    EXPECT_TRUE(Image(*component) == image);
}

TEST_F(VrFwComponentTest, BytesBeyondTheImageReadAsErasedFlash) {
    const std::vector<uint8_t> image = ImageBytes(1000);
    std::unique_ptr<CVrFwComponent> component = Load(ComponentFile(kBothVersions, image));
    CVrByteArray target(512);

    component->GetData(1000, 512, target);
    EXPECT_EQ(std::vector<uint8_t>(512, 0xFF), std::vector<uint8_t>(target.GetPtr(0), target.GetPtr(0) + 512));

    component->GetData(900, 512, target);
    EXPECT_EQ(0, std::memcmp(target.GetPtr(0), &image[900], 100));
    EXPECT_EQ(std::vector<uint8_t>(412, 0xFF), std::vector<uint8_t>(target.GetPtr(100), target.GetPtr(0) + 512));

    // Past the end the whole target is erased, not only `length` bytes; an
    // offset near 2^64 must not wrap around into the image.
    target.Clear();
    component->GetData(1001, 8, target);
    EXPECT_EQ(std::vector<uint8_t>(512, 0xFF), std::vector<uint8_t>(target.GetPtr(0), target.GetPtr(0) + 512));
    uint8_t buffer[16] = {};
    component->GetData(UINT64_MAX - 4, sizeof(buffer), buffer);
    EXPECT_EQ(std::vector<uint8_t>(16, 0xFF), std::vector<uint8_t>(buffer, buffer + 16));

    // A length beyond the target is cut to the target.
    CVrByteArray small(4);
    component->GetData(0, 512, small);
    EXPECT_EQ(0, std::memcmp(small.GetPtr(0), image.data(), 4));
}

TEST(VrParseVersion, ReadsThreeNumbersThatFitSixteenBits) {
    CVrVersionInfo version(7, 7, 7);
    EXPECT_TRUE(VrParseVersion(" 1. 2.10 beta", version));
    EXPECT_EQ(CVrVersionInfo(1, 2, 10), version);
    EXPECT_TRUE(VrParseVersion("65535.0.65535", version));
    EXPECT_EQ(CVrVersionInfo(65535, 0, 65535), version);

    for (const char* unreadable : {"1.2", "1.2.", "1 .2.3", "-1.2.3", "1.65536.0", "99999999999.1.1", "x"}) {
        EXPECT_FALSE(VrParseVersion(unreadable, version)) << unreadable;
    }
    EXPECT_EQ(CVrVersionInfo(65535, 0, 65535), version);
}
