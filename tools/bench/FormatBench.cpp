// How fast the formatter builds the data drive's file system, through the
// whole stack from CVrFormatter to the simulated flash (the Windows XP
// transport, the player's physical disk and volume, the player), beside the
// time the system's own FAT maker takes for an image of the same size on
// this machine; and how long the geometry search takes for the sizes that
// keep it longest. Prints its figures; it asserts nothing.
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
#include "updater/app/VrConfigInfo.h"
#include "updater/device/VrScsi_Nt.h"
#include "updater/engine/VrLogicalDrive.h"
#include "updater/engine/VrResult.h"
#include "updater/engine/VrUpdater.h"
#include "updater/format/VrChsGeometry.h"
#include "updater/format/VrFormatter.h"

namespace fs = std::filesystem;

namespace {

// The largest data drive below 4 GiB in 512-byte sectors.
const uint32_t kSectorSize = 512;
const uint32_t kDataSectors = 0xFFFFFFFFu / kSectorSize;

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A player whose flash holds just its data drive, plugged into an XP PC
// that also has its own hard disk.
struct Bench {
    Bench() {
        SimPlayerState state(uint64_t(kDataSectors) * kSectorSize);
        SimLogicalDrive data;
        data.number = 1;
        data.type = SimLogicalDrive::kDataType;
        data.size = uint64_t(kDataSectors) * kSectorSize;
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
double TimeFormat(int32_t& result) {
    Bench bench;
    CVrScsi_Nt transport(bench.updater.GetContext());
    result = transport.FindDevice();
    if (result == kVrOk) result = transport.Open();
    if (result == kVrOk) result = transport.Lock(0);
    if (result != kVrOk) return 0;
    CVrDataDrive drive;
    drive.Attach(&transport, bench.updater.GetContext(), nullptr);
    CVrFormatter formatter(bench.updater.GetContext(), drive, transport, false);
    auto start = std::chrono::steady_clock::now();
    result = formatter.Format(0, nullptr, 0);
    return SecondsSince(start);
}

// The system's FAT maker on a sparse image of the same size.
double TimeMkfs(int& status) {
    const fs::path image = fs::temp_directory_path() / ("vr-format-bench-" + std::to_string(::getpid()) + ".img");
    const std::string command = "truncate -s " + std::to_string(uint64_t(kDataSectors) * kSectorSize) + " " +
                                image.string() + " && mkfs.fat -F 32 " + image.string() + " > /dev/null";
    auto start = std::chrono::steady_clock::now();
    status = std::system(command.c_str());
    const double seconds = SecondsSince(start);
    fs::remove(image);
    return seconds;
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
    int32_t result = 0;
    const double format = TimeFormat(result);
    std::printf("%-48s result %d, %.3f s\n",
                ("format of " + std::to_string(kDataSectors) + " sectors (just under 4 GiB):").c_str(), result, format);
    int status = 0;
    const double mkfs = TimeMkfs(status);
    std::printf("%-48s status %d, %.3f s\n", "mkfs.fat -F 32 on a sparse image of that size:", status, mkfs);
    std::printf("%-48s %.2f (target <= 3)\n", "ratio:", mkfs > 0 ? format / mkfs : 0.0);

    for (uint32_t sectors : {SmallestInexactSize(), 1000003u, LargestInexactSizeBelow(kDataSectors + 1)}) {
        VrChsGeometry geometry;
        const double ms = TimeSearch(sectors, geometry);
        std::printf("geometry search for %8u sectors: %u x %u x %u, tail %u, %.2f ms\n", sectors, geometry.cylinders,
                    geometry.heads, geometry.sectorsPerTrack, sectors - geometry.CoveredSectors(), ms);
    }
    return 0;
}
