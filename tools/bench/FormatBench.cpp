// How fast the formatter builds the data drive's file system, through the
// whole stack from CVrFormatter to the simulated flash (the Windows XP
// transport, the player's physical disk and volume, the player), every run
// read back, beside the time the system's own FAT maker takes for a sparse
// image of the same size on this machine, for a data drive just under 4 GiB
// and one of 64 GiB; and how long the geometry search takes for the sizes
// that keep it longest. Prints its figures; it asserts nothing.
//
//   format-bench
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPlayerPort.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/device/VrScsi_Nt.h"
#include "updater/base/VrResult.h"
#include "updater/engine/VrUpdater.h"
#include "updater/format/VrChsGeometry.h"
#include "updater/format/VrFormatter.h"

namespace fs = std::filesystem;

namespace {

const uint32_t kSectorSize = 512;

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A player whose flash holds just its data drive of `sectors` sectors,
// plugged into an XP PC that also has its own hard disk.
struct Bench {
    explicit Bench(uint64_t sectors) {
        SimPlayerState state(sectors * kSectorSize);
        SimLogicalDrive data;
        data.number = 1;
        data.type = SimLogicalDrive::kDataType;
        data.size = sectors * kSectorSize;
        data.sectorSize = kSectorSize;
        state.drives.push_back(data);
        player = std::make_shared<SimFlashPlayer>(std::move(state));
        SimAttachSystemDisk(machine, 0);
        port = SimPlugPlayer(machine, player);
    }

    SimMachine machine;
    std::shared_ptr<SimFlashPlayer> player;
    std::shared_ptr<SimPlayerPort> port;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
    CVrConfigInfo config;
    CVrUpdater updater{host, config};
};

// The formatter as the media rebuild runs it: the volume open and locked.
// `written` is how much of the flash holds something afterwards.
double TimeFormat(uint64_t sectors, int32_t& result, uint64_t& written) {
    Bench bench(sectors);
    CVrScsi_Nt transport(bench.updater.GetContext());
    result = transport.FindDevice();
    if (result == kVrOk) result = transport.Open();
    if (result == kVrOk) result = transport.Lock(0);
    if (result != kVrOk) return 0;
    CVrFormatter formatter(bench.updater.GetContext(), transport, false);
    auto start = std::chrono::steady_clock::now();
    result = formatter.Format(0, nullptr, 0);
    const double seconds = SecondsSince(start);
    written = bench.player->State().flash.Chunks().size() * uint64_t(SimFlashStore::kChunkSize);
    return seconds;
}

// The system's FAT maker on a sparse image of the same size.
double TimeMkfs(uint64_t sectors, int& status) {
    const fs::path image = fs::temp_directory_path() / ("vr-format-bench-" + std::to_string(::getpid()) + ".img");
    const std::string command = "truncate -s " + std::to_string(sectors * kSectorSize) + " " + image.string() +
                                " && mkfs.fat -F 32 " + image.string() + " > /dev/null";
    auto start = std::chrono::steady_clock::now();
    status = std::system(command.c_str());
    const double seconds = SecondsSince(start);
    fs::remove(image);
    return seconds;
}

// Both on a medium of `sectors` sectors, one after the other.
void CompareWithMkfs(uint64_t sectors, const std::string& name) {
    int32_t result = 0;
    uint64_t written = 0;
    const double format = TimeFormat(sectors, result, written);
    std::printf("%-52s result %d, %.3f s, %.1f MiB of flash written\n",
                ("format of " + std::to_string(sectors) + " sectors (" + name + "):").c_str(), result, format,
                written / 1048576.0);
    int status = 0;
    const double mkfs = TimeMkfs(sectors, status);
    std::printf("%-52s status %d, %.3f s\n", "mkfs.fat -F 32 on a sparse image of that size:", status, mkfs);
    std::printf("%-52s %.2f (goal <= 3)\n", "ratio:", mkfs > 0 ? format / mkfs : 0.0);
}

// The best of a few runs, in milliseconds.
double TimeSearch(uint32_t sectors, VrChsGeometry& geometry) {
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        auto start = std::chrono::steady_clock::now();
        VrSearchGeometry(sectors, geometry);
        best = std::min(best, SecondsSince(start) * 1000);
    }
    return best;
}

// A size with no exact product runs the whole search; the further a
// product lies past the medium, the more often the search works out the
// combination before it, so the smallest such size runs longest.
uint32_t SmallestInexactSize() {
    VrChsGeometry geometry;
    for (uint32_t sectors = 1;; ++sectors) {
        if (VrSearchGeometry(sectors, geometry) == kVrOk && geometry.CoveredSectors() != sectors) return sectors;
    }
}

uint32_t LargestInexactSizeBelow(uint32_t limit) {
    VrChsGeometry geometry;
    for (uint32_t sectors = limit - 1;; --sectors) {
        if (VrSearchGeometry(sectors, geometry) == kVrOk && geometry.CoveredSectors() != sectors) return sectors;
    }
}

}  // namespace

int main() {
    // The largest data drive below 4 GiB, and one of 64 GiB, beyond the CHS
    // range, laid out as large media are.
    CompareWithMkfs(0xFFFFFFFFu / kSectorSize, "just under 4 GiB");
    CompareWithMkfs((uint64_t(64) << 30) / kSectorSize, "64 GiB");

    for (uint32_t sectors : {SmallestInexactSize(), 1000003u, LargestInexactSizeBelow(kVrLargestChsMedium)}) {
        VrChsGeometry geometry;
        const double ms = TimeSearch(sectors, geometry);
        std::printf("geometry search for %8u sectors: %u x %u x %u, tail %u, %.2f ms\n", sectors, geometry.cylinders,
                    geometry.heads, geometry.sectorsPerTrack, sectors - geometry.CoveredSectors(), ms);
    }
    return 0;
}
