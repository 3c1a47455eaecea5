// How fast and how lean a plain download is, through the whole stack from
// CVrUpdater::PlainDownload to the simulated flash: the transport and its
// worker, the pass-through record, the simulated volume and the player.
// Prints its figures; it asserts nothing.
//
//   download-bench [--latency-ms N]
//
// Runs, each on a fresh simulated PC with an old player:
//   1. the four shipped components, no latency: throughput of sector data;
//   2. the shipped components with a 64 MiB resource image, no latency:
//      throughput and the peak memory the download adds;
//   3. the shipped components with 5 ms of latency per command: the CPU the
//      process uses against its wall time;
//   4. the same on a simulated Windows 98 PC, through the ASPI layer.
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPlayerPort.h"
#include "platform/sim/player/SimWindowsPc.h"
#include "tools/player-sim/PlayerSetup.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/base/VrResult.h"
#include "updater/engine/VrUpdater.h"

namespace fs = std::filesystem;

namespace {

const char* const kComponentFiles[] = {"bootmanager.sb", "usbmsc.sb", "vrxasys.sb", "resource.bin"};

fs::path BinFolder() { return fs::canonical("/proc/self/exe").parent_path(); }

double Seconds(const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; }

double CpuSeconds() {
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// The process's peak resident memory in KiB since the last reset.
long PeakKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// A resource image of `mib` MiB with the shipped file's header and marker.
void WriteLargeResource(const fs::path& file, uint32_t mib) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "Large resource image for the benchmark\nProduct Version: 1.5.0\nComponent Version: 1.5.3\n";
    out << '\x1A' << "VRXA";
    std::vector<char> block(1 << 20);
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (uint32_t i = 0; i < mib; ++i) {
        for (char& byte : block) {
            state ^= state << 13, state ^= state >> 7, state ^= state << 17;
            byte = static_cast<char>(state);
        }
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
}

struct Figures {
    int32_t result = 0;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    uint64_t sectorBytes = 0;  // written and read back
    long addedPeakKib = 0;
    uint64_t imageBytes = 0;
};

Figures RunDownload(uint32_t resourceMib, std::chrono::milliseconds latency, SimWindows windows = SimWindows::kXp) {
    fs::path pc = fs::temp_directory_path() / ("vr-download-bench-" + std::to_string(::getpid()));
    fs::remove_all(pc);
    fs::create_directories(pc / "Caddis");
    for (const char* file : kComponentFiles) fs::copy_file(BinFolder() / file, pc / "Caddis" / file);
    if (resourceMib > 0) WriteLargeResource(pc / "Caddis" / "resource.bin", resourceMib);

    Figures figures;
    {
        SimMachine machine;
        SimSetUpWindows(machine, windows);
        machine.MapFolder(L'C', DRIVE_FIXED, pc);
        std::shared_ptr<SimFlashPlayer> player;
        {
            std::vector<ShippedComponent> shipped;
            std::string problem = ReadShippedComponents(pc / "Caddis", shipped);
            uint64_t flash = 8u << 20;
            for (const ShippedComponent& component : shipped) flash += component.image.size() * 2;
            SimPlayerState state(flash);
            if (problem.empty()) problem = InstallFirmware(state, FirmwareChoice::kOld, shipped);
            if (!problem.empty()) {
                std::fprintf(stderr, "download-bench: %s\n", problem.c_str());
                std::exit(1);
            }
            for (const ShippedComponent& component : shipped) figures.imageBytes += component.image.size();
            player = std::make_shared<SimFlashPlayer>(std::move(state));
        }
        std::shared_ptr<SimPlayerPort> port = SimPlugPlayer(machine, player);
        SimHost host(machine, L"C:\\Caddis\\Caddis.exe");
        CVrConfigInfo config;
        CVrUpdater updater(host, config);

        ResetPeak();
        long baseKib = PeakKib();
        if (updater.OpenDevice() != kVrOk) {
            std::fprintf(stderr, "download-bench: the player does not open\n");
            std::exit(1);
        }
        for (const SimLogicalDrive& drive : player->State().drives) {
            if (drive.type == SimLogicalDrive::kSystemType) figures.sectorBytes += 2 * drive.size;
        }
        player->Faults().SetLatency(latency);
        double cpu = CpuSeconds();
        auto start = std::chrono::steady_clock::now();
        figures.result = updater.PlainDownload();
        figures.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        figures.cpuSeconds = CpuSeconds() - cpu;
        figures.addedPeakKib = PeakKib() - baseKib;
    }
    fs::remove_all(pc);
    return figures;
}

void PrintThroughput(const char* name, const Figures& figures) {
    double megabytes = figures.sectorBytes / 1e6;
    std::printf("%-44s result %d, %.1f MB of sector data in %.3f s: %.0f MB/s (target >= 1000)\n", name,
                figures.result, megabytes, figures.wallSeconds, megabytes / figures.wallSeconds);
}

void PrintCpuShare(const std::string& name, const Figures& figures) {
    std::printf("%-44s result %d, %.2f s of CPU in %.2f s: %.1f %% (target <= 5 %%)\n", name.c_str(), figures.result,
                figures.cpuSeconds, figures.wallSeconds, 100.0 * figures.cpuSeconds / figures.wallSeconds);
}

}  // namespace

int main(int argc, char** argv) {
    // The simulated player runs its commands on the transport's worker
    // thread. With one heap for all threads, the flash chunks it erases and
    // writes again reuse their memory, as the real player's flash does; with
    // a heap per thread they would count twice against the program's peak.
    mallopt(M_ARENA_MAX, 1);
    long latencyMs = 5;
    if (argc == 3 && std::strcmp(argv[1], "--latency-ms") == 0) {
        latencyMs = std::strtol(argv[2], nullptr, 10);
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: %s [--latency-ms N]\n", argv[0]);
        return 2;
    }

    Figures shipped = RunDownload(0, std::chrono::milliseconds(0));
    PrintThroughput("plain download, shipped components:", shipped);

    Figures large = RunDownload(64, std::chrono::milliseconds(0));
    PrintThroughput("plain download, 64 MiB resource image:", large);
    double imagesMib = large.imageBytes / 1048576.0;
    std::printf("%-44s %.1f MiB added at the peak; images %.1f MiB + 32 MiB = %.1f MiB allowed\n",
                "peak memory of the 64 MiB download:", large.addedPeakKib / 1024.0, imagesMib, imagesMib + 32);

    Figures slow = RunDownload(0, std::chrono::milliseconds(latencyMs));
    PrintCpuShare("plain download, " + std::to_string(latencyMs) + " ms per command:", slow);
    Figures aspi = RunDownload(0, std::chrono::milliseconds(latencyMs), SimWindows::k98);
    PrintCpuShare("Windows 98, " + std::to_string(latencyMs) + " ms per command:", aspi);
    return shipped.result == kVrOk && large.result == kVrOk && slow.result == kVrOk && aspi.result == kVrOk ? 0 : 1;
}
