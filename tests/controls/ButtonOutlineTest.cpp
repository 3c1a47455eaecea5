// The outline a skin button takes from the mask frame of its strip.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "manager/app/ButtonOutline.h"

namespace {

// A 32-bit top-down image from rows of '#' (black) and '.' (white).
struct Mask {
    explicit Mask(const std::vector<const char*>& rows) : width(static_cast<int>(strlen(rows[0]))) {
        for (const char* row : rows) {
            for (int x = 0; x < width; ++x) {
                const uint8_t c = row[x] == '.' ? 0xFF : 0x00;
                pixels.insert(pixels.end(), {c, c, c, 0});
            }
        }
        height = static_cast<int>(rows.size());
    }
    RegionData Outline() const { return ButtonOutline(pixels.data(), 4 * width, width, height); }
    int width;
    int height;
    std::vector<uint8_t> pixels;
};

TEST(ButtonOutline, AMaskWithoutWhiteKeepsTheWholeRectangle) {
    const RegionData outline = Mask({"####", "####", "####"}).Outline();
    ASSERT_EQ(3u, outline.Count());
    EXPECT_EQ((RegionRect{0, 2, 4, 3}), outline.Rect(2));
    EXPECT_EQ((RegionRect{0, 0, 4, 3}), outline.Bounds());
}

TEST(ButtonOutline, WhiteIsCutOutRowByRow) {
    const RegionData outline = Mask({".##.", "#..#", "###."}).Outline();
    ASSERT_EQ(4u, outline.Count());
    EXPECT_EQ((RegionRect{1, 0, 3, 1}), outline.Rect(0));
    EXPECT_EQ((RegionRect{0, 1, 1, 2}), outline.Rect(1));
    EXPECT_EQ((RegionRect{3, 1, 4, 2}), outline.Rect(2));
    // White in the last column ends the run before it.
    EXPECT_EQ((RegionRect{0, 2, 3, 3}), outline.Rect(3));
}

TEST(ButtonOutline, OnlyPureWhiteIsCut) {
    Mask mask({"##"});
    mask.pixels[0] = mask.pixels[1] = mask.pixels[2] = 0xFE;  // nearly white stays
    const RegionData outline = mask.Outline();
    ASSERT_EQ(1u, outline.Count());
    EXPECT_EQ((RegionRect{0, 0, 2, 1}), outline.Rect(0));
}

TEST(ButtonOutline, ALargeMaskComesInOneList) {
    // More rectangles than one batch of the run extraction holds.
    std::vector<const char*> rows(1500, "#.#");
    const RegionData outline = Mask(rows).Outline();
    EXPECT_EQ(3000u, outline.Count());
    EXPECT_EQ((RegionRect{2, 1499, 3, 1500}), outline.Rect(2999));
}

}  // namespace
