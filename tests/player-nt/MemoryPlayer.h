// A player in memory for the tests of the PC's side: it answers INQUIRY as
// the player does, READ(10) and WRITE(10) on its medium, and refuses other
// commands with a check condition. Its medium keeps only the sectors
// written (the rest reads as zeros), so media of many megabytes cost little.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

#include "platform/sim/player/SimPlayer.h"

class MemoryPlayer final : public SimPlayer {
public:
    explicit MemoryPlayer(uint64_t sectors, uint32_t sectorSize = 512) : sectors_(sectors), sectorSize_(sectorSize) {}

    SimScsiStatus Execute(const BYTE* cdb, size_t cdbLength, const BYTE* dataOut, size_t dataOutLength, BYTE* dataIn,
                          size_t dataInCapacity) override;
    bool Connected() const override { return connected_; }
    uint32_t MediumSectorSize() const override { return sectorSize_; }
    uint64_t MediumSectorCount() const override { return sectors_; }
    DWORD ReadMedium(uint64_t firstSector, uint32_t count, BYTE* buffer) override;
    DWORD WriteMedium(uint64_t firstSector, uint32_t count, const BYTE* buffer) override;

    void Disconnect() { connected_ = false; }
    unsigned Commands() const { return commands_; }
    std::vector<BYTE> Sector(uint64_t sector);
    // Medium sectors to and from a host file, as a disk image.
    void SaveImage(const std::filesystem::path& file, uint64_t firstSector, uint64_t count);
    void LoadImage(const std::filesystem::path& file);

private:
    const uint64_t sectors_;
    const uint32_t sectorSize_;
    std::atomic<bool> connected_{true};
    std::atomic<unsigned> commands_{0};
    std::mutex mutex_;
    std::map<uint64_t, std::vector<BYTE>> written_;
};
