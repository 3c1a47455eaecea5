// The simulated player's state file: a file that loads saves back byte for
// byte, and one that is refused leaves the state as it was.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "platform/sim/player/SimStateFile.h"

namespace {

std::vector<char> FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path input = FuzzScratchFolder() / "input.state";
    const std::filesystem::path saved = FuzzScratchFolder() / "saved.state";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    SimPlayerState state(4096);
    state.identity.vendor = "Unloaded";
    if (!SimLoadPlayerState(input, state).empty()) {
        FUZZ_CHECK(state.identity.vendor == "Unloaded" && state.flash.Size() == 4096);
        return 0;
    }
    FUZZ_CHECK(SimSavePlayerState(state, saved).empty());
    const std::vector<char> bytes = FileBytes(saved);
    FUZZ_CHECK(bytes.size() == size && std::equal(bytes.begin(), bytes.end(), reinterpret_cast<const char*>(data)));
    return 0;
}
