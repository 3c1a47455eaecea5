// The simulated player's state file: a file that loads describes a layout
// the player can hold (drives inside the flash, in whole sectors, none
// overlapping another, written chunks inside the flash) and saves back byte
// for byte; one that is refused leaves the state as it was. The input's last
// four bytes are made its checksum, so that mutated states get past it and
// on to the layout.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "platform/sim/player/SimCrc32.h"
#include "platform/sim/player/SimStateFile.h"

namespace {

std::vector<char> FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CheckLayout(const SimPlayerState& state) {
    const uint64_t flash = state.flash.Size();
    FUZZ_CHECK(state.drives.size() <= SimPlayerState::kMaxDrives);
    for (size_t i = 0; i < state.drives.size(); ++i) {
        const SimLogicalDrive& drive = state.drives[i];
        FUZZ_CHECK(drive.sectorSize != 0 && drive.size % drive.sectorSize == 0);
        FUZZ_CHECK(drive.offset <= flash && drive.size <= flash - drive.offset);
        for (size_t j = 0; j < i; ++j) {
            const SimLogicalDrive& other = state.drives[j];
            const bool apart = drive.size == 0 || other.size == 0 || drive.offset + drive.size <= other.offset ||
                               other.offset + other.size <= drive.offset;
            FUZZ_CHECK(apart && drive.number != other.number);
        }
    }
    for (const auto& chunk : state.flash.Chunks()) FUZZ_CHECK(chunk.first < (flash + SimFlashStore::kChunkSize - 1) / SimFlashStore::kChunkSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path input = FuzzScratchFolder() / "input.state";
    const std::filesystem::path saved = FuzzScratchFolder() / "saved.state";
    std::vector<char> file(data, data + size);
    if (size >= 4) {
        const uint32_t crc = SimCrc32(0, data, size - 4);
        for (int i = 0; i < 4; ++i) file[size - 4 + i] = static_cast<char>(crc >> (8 * i));
    }
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(size));
    }
    SimPlayerState state(4096);
    state.identity.vendor = "Unloaded";
    if (!SimLoadPlayerState(input, state).empty()) {
        FUZZ_CHECK(state.identity.vendor == "Unloaded" && state.flash.Size() == 4096);
        return 0;
    }
    CheckLayout(state);
    FUZZ_CHECK(SimSavePlayerState(state, saved).empty());
    const std::vector<char> bytes = FileBytes(saved);
    FUZZ_CHECK(bytes == file);
    return 0;
}
