#include <gtest/gtest.h>

#include <vector>

#include "updater/base/VrProgress.h"
#include "updater/base/VrResult.h"
#include "updater/base/VrStages.h"

namespace {

class RecordingSink : public CVrProgress {
public:
    RecordingSink() : CVrProgress("RecordingSink") {}
    void SetTotal(int32_t) override {}
    void SetStage(int32_t stage, int32_t range) override { stages.push_back({stage, range}); }
    void Step(int32_t) override {}
    void StepTotal() override {}

    struct Stage {
        int32_t id;
        int32_t range;
        bool operator==(const Stage& other) const { return id == other.id && range == other.range; }
    };
    std::vector<Stage> stages;
};

}  // namespace

TEST(VrProgress, ComponentStagesAddTheIndexLowByteOnlyToTheirBases) {
    RecordingSink sink;
    sink.SetComponentStage(6, 1, 3);
    sink.SetComponentStage(17, 12, 0x104);
    sink.SetComponentStage(33, 4, 2);
    sink.SetComponentStage(5, 9, 2);
    sink.SetComponentStage(7, 1, 2);
    sink.SetComponentStage(34, 1, 2);
    const std::vector<RecordingSink::Stage> expected = {
        {9, 1}, {21, 12}, {35, 4}, {5, 9}, {7, 1}, {34, 1}};
    EXPECT_EQ(expected, sink.stages);
}

TEST(VrProgress, DownloadMarksTheSinkBusyUntilItEnds) {
    RecordingSink sink;
    EXPECT_FALSE(sink.IsBusy());
    EXPECT_EQ(kVrOk, sink.BeginDownload());
    EXPECT_TRUE(sink.IsBusy());
    sink.EndDownload();
    EXPECT_FALSE(sink.IsBusy());
}

TEST(VrStages, ComponentStagesNameTheirComponentPlainOnesOnlyTheirString) {
    struct Row {
        int32_t stage;
        uint16_t stringId;
        uint8_t componentIndex;
    };
    const Row rows[] = {
        {7, 171, 1},  {16, 171, 10}, {18, 196, 1}, {27, 196, 10}, {2, 163, 0},  {4, 173, 0},
        {28, 138, 0}, {32, 183, 0},  {34, 184, 0}, {44, 194, 0},  {47, 218, 0}, {49, 169, 0},
        {50, 635, 0},
        // The bases of the component and FAT stages, and unknown ids, show nothing.
        {1, 0, 0}, {6, 0, 0}, {17, 0, 0}, {33, 0, 0}, {0, 0, 0}, {51, 0, 0}, {-7, 0, 0},
    };
    for (const Row& row : rows) {
        const VrStageText text = VrLookupStage(row.stage);
        EXPECT_EQ(row.stringId, text.stringId) << "stage " << row.stage;
        EXPECT_EQ(row.componentIndex, text.componentIndex) << "stage " << row.stage;
    }
}
