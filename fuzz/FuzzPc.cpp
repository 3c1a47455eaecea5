#include "fuzz/FuzzPc.h"

#include <filesystem>

#include "fuzz/FuzzInput.h"

namespace fs = std::filesystem;

namespace {

// The machine is configured before the process starts on it.
SimMachine& WithScratchDrive(SimMachine& machine) {
    for (const fs::directory_entry& entry : fs::directory_iterator(VR_BIN_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("vrxa", 0) == 0 && entry.path().extension() == ".dll") {
            fs::copy_file(entry.path(), FuzzScratchFolder() / name, fs::copy_options::overwrite_existing);
        }
    }
    machine.MapFolder(L'C', DRIVE_FIXED, FuzzScratchFolder());
    return machine;
}

}  // namespace

FuzzPc::FuzzPc() : host(WithScratchDrive(machine), L"C:\\Caddis.exe") {}

FuzzPc& TheFuzzPc() {
    static FuzzPc pc;
    return pc;
}
