// The capacity gauge's used length and the tiles that draw it.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "manager/app/GaugeLayout.h"
#include "manager/app/Tiling.h"

namespace {

int Used(GaugeRect rect, std::vector<uint64_t> capacity) {
    GaugeLayout gauge;
    gauge.SetRect(rect);
    gauge.SetCapacity(capacity);
    return gauge.Used();
}

TEST(GaugeLayout, UsedLengthByTheGaugesOwnArithmetic) {
    // A total beyond the length: 65536 / (131072 / 100) = 65536 / 1310.
    EXPECT_EQ(50, Used({0, 0, 100, 10}, {131072, 65536}));
    // A total within the length: 75 x (200 / 100).
    EXPECT_EQ(150, Used({5, 0, 205, 10}, {100, 25}));
    // Vertical when taller than wide: the height counts.
    EXPECT_EQ(150, Used({0, 0, 10, 200}, {100, 25}));
    EXPECT_EQ(0, Used({0, 0, 100, 10}, {}));
    EXPECT_EQ(0, Used({0, 0, 100, 10}, {0, 0}));
}

TEST(GaugeLayout, NeverMoreUsedThanTheGaugeHas) {
    // Free beyond total would wrap around in unsigned arithmetic.
    EXPECT_EQ(0, Used({0, 0, 100, 10}, {1000, 2000}));
    // 199 / (199 / 100) = 199: the rounding of the divisor overshoots.
    EXPECT_EQ(100, Used({0, 0, 100, 10}, {199, 0}));
    // A drive of terabytes in KB, nearly full.
    EXPECT_EQ(100, Used({0, 0, 100, 10}, {uint64_t(1) << 40, 1}));
}

TEST(GaugeLayout, AGaugeWithoutAreaKeepsItsLength) {
    GaugeLayout gauge;
    gauge.SetRect({0, 0, 100, 10});
    gauge.SetCapacity({100, 50});
    gauge.SetRect({0, 0, 0, 10});
    gauge.SetCapacity({100, 0});
    EXPECT_EQ(50, gauge.Used());
}

TEST(Tiling, WholeTilesThenTheLastCut) {
    const std::vector<Tile> tiles = TileSpan(25, 10);
    ASSERT_EQ(3u, tiles.size());
    EXPECT_EQ(20, tiles[2].offset);
    EXPECT_EQ(5, tiles[2].length);
    EXPECT_EQ(10, tiles[1].length);
    EXPECT_TRUE(TileSpan(0, 10).empty());
    EXPECT_TRUE(TileSpan(10, 0).empty());
}

}  // namespace
