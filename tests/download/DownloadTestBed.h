// A whole PC for download tests: Caddis in C:\Caddis with the shipped
// component files and the English library, the updater with its language
// resources and a recording progress sink, and a simulated player that a
// test attaches as drive E:.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPlayerPort.h"
#include "tests/platform/SimTestFolder.h"
#include "tools/player-sim/PlayerSetup.h"
#include "updater/app/VrConfigInfo.h"
#include "updater/app/VrLanguageResource.h"
#include "updater/engine/VrProgress.h"
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

class DownloadTestBed {
public:
    DownloadTestBed();
    ~DownloadTestBed();

    // A player of `flashMiB` with that firmware at E: (its disk is
    // PhysicalDrive1, after the PC's own disk), and on its data drive
    // a FAT volume holding the named files.
    std::shared_ptr<SimFlashPlayer> AttachPlayer(FirmwareChoice firmware, uint32_t flashMiB = 16,
                                                 const std::vector<std::wstring>& dataFiles = {});
    // A player whose layout cannot take the new components: its resource
    // drive (1 MiB) is smaller than the resource image (3 MiB).
    std::shared_ptr<SimFlashPlayer> AttachPlayerWithTooSmallLayout();
    // The same with a layout of the test's own.
    std::shared_ptr<SimFlashPlayer> AttachPlayer(SimPlayerState state);

    // The drive of the attached player that holds the component with `tag`.
    const SimLogicalDrive* SystemDrive(uint8_t tag) const;
    std::vector<BYTE> DriveBytes(const SimLogicalDrive& drive) const;
    const ShippedComponent& Shipped(uint8_t tag) const;

    SimTestFolder folder;
    SimMachine machine;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
    CVrConfigInfo config;
    CVrUpdater updater{host, config};
    std::unique_ptr<CVrLanguageResource> resource;
    StageRecorder progress;
    std::vector<ShippedComponent> shipped;
    std::shared_ptr<SimFlashPlayer> player;
    std::shared_ptr<SimPlayerPort> port;
    std::shared_ptr<SimPlayerVolume> volume;
};
