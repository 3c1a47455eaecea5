// A simulated PC running Caddis from C:\Caddis, with the updater the engine's
// objects hang on: component files written into that folder are the ones
// beside the program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "tests/platform/SimTestFolder.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/base/VrProgress.h"
#include "updater/engine/VrUpdater.h"

// Keeps what the engine reports: the stages in order and the steps taken.
class RecordingProgress : public CVrProgress {
public:
    struct Stage {
        int32_t id;
        int32_t range;
        bool operator==(const Stage& other) const { return id == other.id && range == other.range; }
    };

    RecordingProgress() : CVrProgress("RecordingProgress") {}
    void SetTotal(int32_t) override {}
    void SetStage(int32_t stage, int32_t range) override { stages.push_back({stage, range}); }
    void Step(int32_t advance) override { steps += advance != 0 ? 1 : 0; }
    void StepTotal() override {}

    std::vector<Stage> stages;
    int32_t steps = 0;
};

class EngineTestBed {
public:
    EngineTestBed() {
        std::filesystem::create_directories(folder.Path() / "Caddis");
        machine.MapFolder(L'C', DRIVE_FIXED, folder.Path());
        updater.SetProgress(&progress);
    }

    void WriteComponentFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        folder.Write("Caddis/" + name, bytes);
    }

    SimTestFolder folder;
    SimMachine machine;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
    CVrConfigInfo config;
    CVrUpdater updater{host, config};
    RecordingProgress progress;
};

// A component file: the header text, the 0x1A "VRXA" marker, the image.
inline std::vector<uint8_t> ComponentFile(const std::string& header, const std::vector<uint8_t>& image,
                                          bool marker = true) {
    std::vector<uint8_t> file(header.begin(), header.end());
    if (marker) file.insert(file.end(), {0x1A, 'V', 'R', 'X', 'A'});
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

// Bytes that differ from their neighbours and from 0xFF padding, so that a
// shifted or short copy shows.
inline std::vector<uint8_t> ImageBytes(size_t size, uint8_t seed = 1) {
    std::vector<uint8_t> image(size);
    uint32_t state = seed;
    for (uint8_t& byte : image) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>((state >> 16) % 0xFF);
    }
    return image;
}
