// player-sim-bench: how fast and how lean the simulated player is. Writes
// 64 MiB onto the data drive of a 4 GiB player in 64 KiB WRITE(10) runs, reads
// it back, saves and loads the state file, and prints times and the memory
// the process grew by against the budget: what was written plus 32 MiB.
//
// Usage: player-sim-bench [FOLDER for the state file, default /tmp]
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimStateFile.h"

namespace {

const uint64_t kWritten = 64 << 20;
const uint64_t kAllowance = 32 << 20;
const uint32_t kRunSectors = 128;
const uint32_t kSectorSize = 512;

// Resident and peak resident memory of this process, in bytes.
uint64_t StatusField(const char* name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, std::strlen(name), name) == 0) return std::stoull(line.substr(std::strlen(name) + 1)) << 10;
    return 0;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Fill(std::vector<BYTE>& run, uint64_t seed) {
    for (size_t i = 0; i < run.size(); i += 8, ++seed) std::memcpy(&run[i], &seed, 8);
}

bool Ok(const SimScsiStatus& status) { return status.status == SimScsiStatus::kGood; }

std::vector<BYTE> Block10(BYTE code, uint32_t address) {
    std::vector<BYTE> block(10, 0);
    block[0] = code;
    for (int i = 0; i < 4; ++i) block[2 + i] = static_cast<BYTE>(address >> (24 - 8 * i));
    block[7] = kRunSectors >> 8;
    block[8] = kRunSectors & 0xFF;
    return block;
}

bool WriteAndRead(SimFlashPlayer& player) {
    std::vector<BYTE> run(kRunSectors * kSectorSize), back(run.size());
    const uint32_t runs = static_cast<uint32_t>(kWritten / run.size());
    auto start = std::chrono::steady_clock::now();
    for (uint32_t i = 0; i < runs; ++i) {
        Fill(run, i);
        std::vector<BYTE> block = Block10(0x2A, i * kRunSectors);
        if (!Ok(player.Execute(block.data(), block.size(), run.data(), run.size(), nullptr, 0))) return false;
    }
    double seconds = Seconds(start);
    std::printf("write:  %6.1f MiB/s (%u WRITE(10) of 64 KiB)\n", kWritten / 1048576.0 / seconds, runs);

    start = std::chrono::steady_clock::now();
    for (uint32_t i = 0; i < runs; ++i) {
        std::vector<BYTE> block = Block10(0x28, i * kRunSectors);
        if (!Ok(player.Execute(block.data(), block.size(), nullptr, 0, back.data(), back.size()))) return false;
        Fill(run, i);
        if (run != back) return false;
    }
    seconds = Seconds(start);
    std::printf("read:   %6.1f MiB/s (compared)\n", kWritten / 1048576.0 / seconds);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path file = std::filesystem::path(argc > 1 ? argv[1] : "/tmp") / "player-sim-bench.state";
    const uint64_t baseline = StatusField("VmRSS:");
    {
        SimFlashPlayer player{SimPlayerState(uint64_t(4) << 30)};
        // Entries at 10i: a boot manager of 4 KiB, then the data drive taking the rest.
        std::vector<BYTE> table(11 * 2, 0);
        table[0] = 1;
        table[1] = 0x50;
        table[8] = 0x10;
        table[10] = 0;
        table[11] = 0x0A;
        const BYTE allocate[16] = {0xC1, 0x06, 2};
        if (!Ok(player.Execute(allocate, sizeof allocate, table.data(), table.size(), nullptr, 0)) ||
            !WriteAndRead(player)) {
            std::fprintf(stderr, "player-sim-bench: the player refused a command\n");
            return 1;
        }
        const auto start = std::chrono::steady_clock::now();
        const std::string error = player.Save(file);
        if (!error.empty()) {
            std::fprintf(stderr, "player-sim-bench: %s\n", error.c_str());
            return 1;
        }
        std::printf("save:   %6.2f s (%.1f MiB file)\n", Seconds(start),
                    std::filesystem::file_size(file) / 1048576.0);
    }
    SimPlayerState loaded;
    const auto start = std::chrono::steady_clock::now();
    const std::string error = SimLoadPlayerState(file, loaded);
    std::filesystem::remove(file);
    if (!error.empty()) {
        std::fprintf(stderr, "player-sim-bench: %s\n", error.c_str());
        return 1;
    }
    std::printf("load:   %6.2f s\n", Seconds(start));

    const uint64_t grown = StatusField("VmHWM:") - baseline;
    std::printf("memory: %.1f MiB at most beyond start, budget %.1f MiB (%s)\n", grown / 1048576.0,
                (kWritten + kAllowance) / 1048576.0, grown <= kWritten + kAllowance ? "within" : "EXCEEDED");
    return grown <= kWritten + kAllowance ? 0 : 1;
}
