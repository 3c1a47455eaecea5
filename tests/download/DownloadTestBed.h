// A whole PC for download tests with the updater on it, its English language
// resources and a recording progress sink.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/support/SimulatedPc.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/base/VrProgress.h"
#include "updater/engine/VrUpdater.h"

// Every stage the engine starts, with its range and the steps taken in it.
class StageRecorder : public CVrProgress {
public:
    struct Stage {
        int32_t id;
        int32_t range;
        int32_t steps;
    };

    StageRecorder() : CVrProgress("StageRecorder") {}
    void SetTotal(int32_t steps) override { total = steps; }
    void SetStage(int32_t stage, int32_t range) override { stages.push_back({stage, range, 0}); }
    void Step(int32_t advance) override {
        if (advance != 0 && !stages.empty()) ++stages.back().steps;
        if (advance == 0) ++pumps;
    }
    void StepTotal() override {}

    const Stage* Find(int32_t id) const {
        for (const Stage& stage : stages) {
            if (stage.id == id) return &stage;
        }
        return nullptr;
    }

    int32_t total = 0;
    std::vector<Stage> stages;
    int32_t pumps = 0;  // Step(0): the interface kept alive while a command runs
};

class DownloadTestBed : public SimulatedPc {
public:
    explicit DownloadTestBed(SimWindows windows = SimWindows::kXp);

    CVrConfigInfo config;
    CVrUpdater updater{host, config};
    std::unique_ptr<CVrLanguageResource> resource;
    StageRecorder progress;
};
