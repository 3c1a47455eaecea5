// The runs of opaque pixels of a 32-bit image and their batches of region
// data, on pixel buffers of the tests' own.
#include "usbsupport/RegionRuns.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A bottom-up 32-bit image as a section holds it: the top row last.
class Image {
public:
    Image(int32_t width, int32_t height, uint32_t fill) : width_(width), height_(height), pixels_(width * height, fill) {}
    // `rgb` as 0xRRGGBB; the pixel's bytes are blue, green, red, unused.
    void Set(int32_t x, int32_t y, uint32_t rgb) { pixels_[(height_ - 1 - y) * width_ + x] = rgb; }
    const uint8_t* Top() const { return reinterpret_cast<const uint8_t*>(&pixels_[(height_ - 1) * width_]); }
    ptrdiff_t Step() const { return -static_cast<ptrdiff_t>(width_) * 4; }

    std::vector<std::vector<RegionRect>> Batches(uint32_t colour, uint32_t tolerance) const {
        std::vector<std::vector<RegionRect>> batches;
        RegionData data(100);
        ExtractOpaqueRuns(Top(), Step(), width_, height_, TransparentRange(colour, tolerance), data,
                          [&](const RegionData& batch) {
                              batches.emplace_back();
                              for (uint32_t i = 0; i < batch.Count(); ++i) batches.back().push_back(batch.Rect(i));
                          });
        return batches;
    }

private:
    int32_t width_;
    int32_t height_;
    std::vector<uint32_t> pixels_;  // little-endian: blue is the first byte
};

const uint32_t kWhite = 0xFFFFFF;
const uint32_t kWhiteColour = 0xFFFFFFFF;
const uint32_t kSixteen = 0x101010;

TEST(RegionRuns, RunsOfEachRowFromTheTopIncludingOneToTheRightEdge) {
    Image image(6, 3, kWhite);
    image.Set(1, 0, 0x000000);
    image.Set(2, 0, 0xFAFAFA);  // (250, 250, 250) is no white, even 16 below it
    image.Set(5, 0, 0x808080);
    image.Set(3, 2, 0x102030);
    image.Set(4, 2, 0x102030);
    image.Set(5, 2, 0xFFFFFE);  // the tolerance reaches up from white only: opaque
    const auto batches = image.Batches(kWhiteColour, kSixteen);
    ASSERT_EQ(1u, batches.size());
    EXPECT_EQ((std::vector<RegionRect>{{1, 0, 3, 1}, {5, 0, 6, 1}, {3, 2, 6, 3}}), batches[0]);
}

TEST(RegionRuns, AnImageOfTheColourOnlyGivesOneEmptyBatch) {
    Image image(4, 4, kWhite);
    const auto batches = image.Batches(kWhiteColour, 0);
    ASSERT_EQ(1u, batches.size());
    EXPECT_TRUE(batches[0].empty());
}

TEST(RegionRuns, EachComponentIsComparedWithTheSameComponent) {
    Image image(3, 1, 0x000000);
    image.Set(0, 0, 0xFF0000);  // pure red
    image.Set(1, 0, 0x0000FF);  // pure blue
    // Colour values keep red in byte 0: 0x0000FF is red.
    EXPECT_EQ((std::vector<RegionRect>{{1, 0, 3, 1}}), image.Batches(0x0000FF, 0)[0]);
    EXPECT_EQ((std::vector<RegionRect>{{0, 0, 1, 1}, {2, 0, 3, 1}}), image.Batches(0xFF0000, 0)[0]);

    // The tolerance reaches up from each component of the colour.
    Image grey(3, 1, 0x101010);
    grey.Set(1, 0, 0x181818);
    grey.Set(2, 0, 0x191010);  // red one past its reach
    EXPECT_EQ((std::vector<RegionRect>{{2, 0, 3, 1}}), grey.Batches(0x101010, 0x080808)[0]);
}

TEST(RegionRuns, RectanglesComeInFullBatchesWithNoneLost) {
    // Every other pixel opaque: 50 runs a row, 4100 in all, in row order.
    Image image(100, 82, kWhite);
    for (int32_t y = 0; y < 82; ++y) {
        for (int32_t x = 0; x < 100; x += 2) image.Set(x, y, 0);
    }
    const auto batches = image.Batches(kWhiteColour, 0);
    ASSERT_EQ(4100 / kRegionBatch + 1, batches.size());
    int32_t run = 0;
    for (size_t i = 0; i < batches.size(); ++i) {
        EXPECT_EQ(i + 1 < batches.size() ? kRegionBatch : 4100 % kRegionBatch, batches[i].size());
        for (const RegionRect& rect : batches[i]) {
            const int32_t x = 2 * (run % 50), y = run / 50;
            ASSERT_EQ((RegionRect{x, y, x + 1, y + 1}), rect) << "run " << run;
            ++run;
        }
    }
    EXPECT_EQ(4100, run);
}

TEST(RegionData, HeaderFieldsAtTheirOffsetsAndRoomGrowingByItsStep) {
    RegionData data(100);
    auto field = [&](size_t at) {
        int32_t value;
        std::memcpy(&value, data.Bytes() + at, 4);
        return value;
    };
    EXPECT_EQ(32, field(0));
    EXPECT_EQ(1, field(4));
    EXPECT_EQ((RegionRect{0x7FFFFFFF, 0x7FFFFFFF, 0, 0}), data.Bounds());
    for (int32_t i = 0; i < 101; ++i) data.Add({i, 7, i + 2, 8});
    EXPECT_EQ(200u, data.Room());
    EXPECT_EQ(101, field(8));
    EXPECT_EQ(0, field(12));
    EXPECT_EQ((RegionRect{0, 7, 102, 8}), data.Bounds());
    EXPECT_EQ(32u + 101u * 16u, data.Size());
    EXPECT_EQ(100, field(32 + 100 * 16));
    data.Clear();
    EXPECT_EQ(0, field(8));
    EXPECT_EQ(200u, data.Room());
}

}  // namespace
