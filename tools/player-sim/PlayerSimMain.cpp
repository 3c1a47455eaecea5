// player-sim: makes simulated players and looks inside them.
//
//   player-sim create FILE [--flash-mib N] [--firmware none|old|current]
//                          [--table ok|unreadable] [--data-files DIR]
//                          [--components DIR]
//                          [--chip-revision N] [--data-sector-size N]
//                          [--system-sector-size N] [--data-sectors N]
//                          [--mode mass-storage|recovery]
//                          [--layout fits|too-small]
//   player-sim info FILE
//   player-sim pc FILE
//   player-sim export-data FILE IMG
//   player-sim import-data FILE IMG
//   player-sim export-volume FILE IMG
//
// The shipped component files are read from the folder of this program
// unless --components names another. --data-files formats the data drive
// and puts the files of DIR in its root folder. --data-sectors gives the
// data drive exactly N sectors instead of the rest of the flash. --mode
// recovery erases the mass-storage firmware's drive, so the player starts in
// recovery mode. --layout too-small (with --firmware old) gives the player
// an older, smaller resource image in a 1 MiB drive that cannot take the
// shipped one, so that only a full download updates it. pc tells how the
// player shows on the PC that caddis plugs it into, running the Windows of
// the environment variable CADDIS_WINDOWS (95, 98, me, 2000 or xp; XP when
// unset): its ASPI adapter and device key on 95, 98 and Me, its volume and
// disk names on 2000 and XP. export-volume writes
// the data drive's volume alone as a sparse image (unwritten flash reads as
// zeros), quick for players of many GiB. create and import-data leave alone
// a player that another program (caddis) is using. Errors exit with status 1,
// usage errors with 2.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DataDriveImage.h"
#include "DataFiles.h"
#include "PlayerPcReport.h"
#include "PlayerReport.h"
#include "PlayerSetup.h"
#include "ShippedComponents.h"
#include "platform/sim/player/SimStateFile.h"
#include "platform/sim/player/SimStateLock.h"
#include "platform/sim/player/SimWindowsPc.h"

namespace fs = std::filesystem;

namespace {

const int kFailed = 1;
const int kUsage = 2;

const char kUsageText[] =
    "usage: player-sim create FILE [--flash-mib N] [--firmware none|old|current]\n"
    "                              [--table ok|unreadable] [--data-files DIR]\n"
    "                              [--components DIR]\n"
    "                              [--chip-revision N] [--data-sector-size N]\n"
    "                              [--system-sector-size N] [--data-sectors N]\n"
    "                              [--mode mass-storage|recovery]\n"
    "                              [--layout fits|too-small]\n"
    "       player-sim info FILE\n"
    "       player-sim pc FILE        (on the Windows of CADDIS_WINDOWS: 95, 98, me, 2000, xp)\n"
    "       player-sim export-data FILE IMG\n"
    "       player-sim import-data FILE IMG\n"
    "       player-sim export-volume FILE IMG\n";

struct UsageError {
    std::string text;
};

int Fail(const std::string& text) {
    std::cerr << "player-sim: " << text << "\n";
    return kFailed;
}

// A number of the command line: decimal, or hexadecimal after "0x".
uint64_t Number(const std::string& option, const std::string& text, uint64_t low, uint64_t high) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || text[0] == '-' || value < low || value > high)
        throw UsageError{option + " takes a number from " + std::to_string(low) + " to " + std::to_string(high)};
    return value;
}

std::string Choice(const std::string& option, const std::string& text, const std::vector<std::string>& choices) {
    for (const std::string& choice : choices)
        if (text == choice) return text;
    throw UsageError{option + ": unknown choice \"" + text + "\""};
}

// --name value pairs after the fixed arguments.
std::map<std::string, std::string> Options(const std::vector<std::string>& args, size_t first,
                                           const std::vector<std::string>& known) {
    std::map<std::string, std::string> options;
    for (size_t i = first; i < args.size(); i += 2) {
        if (std::find(known.begin(), known.end(), args[i]) == known.end())
            throw UsageError{"unknown option \"" + args[i] + "\""};
        if (i + 1 >= args.size()) throw UsageError{args[i] + " needs a value"};
        options[args[i]] = args[i + 1];
    }
    return options;
}

// A player that another program (caddis) is changing is left alone: its
// save would undo ours, or ours its work. An empty text when `lock` holds
// the player or there is no file yet.
std::string Refusal(const SimStateLock& lock, const std::string& file) {
    switch (lock.GetOutcome()) {
    case SimStateLock::Outcome::kInUse:
        return file + ": the player is in use by another program";
    case SimStateLock::Outcome::kFailed:
        return file + ": cannot lock the player state: " + lock.Error();
    default:
        return "";
    }
}

fs::path ProgramFolder() {
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).parent_path();
}

int Create(const std::vector<std::string>& args) {
    const auto options = Options(args, 2,
                                 {"--flash-mib", "--firmware", "--table", "--data-files", "--components",
                                  "--chip-revision", "--data-sector-size", "--system-sector-size", "--data-sectors",
                                  "--mode", "--layout"});
    auto value = [&](const std::string& name, const std::string& fallback) {
        auto found = options.find(name);
        return found == options.end() ? fallback : found->second;
    };
    auto number = [&](const std::string& name, uint64_t fallback, uint64_t low, uint64_t high) {
        auto found = options.find(name);
        return found == options.end() ? fallback : Number(name, found->second, low, high);
    };
    SimPlayerState state(number("--flash-mib", 256, 1, SimPlayerState::kMaxFlashSize >> 20) << 20);
    state.chipRevision = static_cast<uint16_t>(number("--chip-revision", 3, 0, 0xFFFF));
    state.dataSectorSize = static_cast<uint32_t>(number("--data-sector-size", 512, 512, 65536));
    state.systemSectorSize = static_cast<uint32_t>(number("--system-sector-size", 2048, 512, 65536));
    if (!SimValidSectorSize(state.dataSectorSize) || !SimValidSectorSize(state.systemSectorSize))
        throw UsageError{"sector sizes are powers of two"};
    const std::string firmware = Choice("--firmware", value("--firmware", "none"), {"none", "old", "current"});
    const std::string table = Choice("--table", value("--table", "ok"), {"ok", "unreadable"});
    const std::string mode = Choice("--mode", value("--mode", "mass-storage"), {"mass-storage", "recovery"});
    const std::string layout = Choice("--layout", value("--layout", "fits"), {"fits", "too-small"});
    if (layout == "too-small" && firmware != "old") throw UsageError{"--layout too-small needs --firmware old"};
    const uint64_t dataSectors = number("--data-sectors", 0, 1, SimPlayerState::kMaxFlashSize / 512);
    if (dataSectors && firmware == "none") throw UsageError{"--data-sectors needs --firmware old or current"};

    if (firmware != "none") {
        std::vector<ShippedComponent> components;
        std::string error = ReadShippedComponents(value("--components", ProgramFolder().string()), components);
        if (!error.empty()) return Fail(error);
        const FirmwareChoice choice = firmware == "old" ? FirmwareChoice::kOld : FirmwareChoice::kCurrent;
        error = InstallFirmware(state, choice, components, dataSectors,
                                layout == "too-small" ? LayoutChoice::kTooSmall : LayoutChoice::kFits);
        if (!error.empty()) return Fail(error);
    }
    if (options.count("--data-files")) {
        const std::string error = PutFilesOnDataDrive(state, options.at("--data-files"));
        if (!error.empty()) return Fail(error);
    }
    state.tableDamaged = table == "unreadable";
    if (mode == "recovery") LoseMassStorageFirmware(state);
    const SimStateLock lock(args[1]);
    std::string error = Refusal(lock, args[1]);
    if (error.empty()) error = SimSavePlayerState(state, args[1]);
    return error.empty() ? 0 : Fail(error);
}

int Run(const std::vector<std::string>& args) {
    if (args.size() < 2) throw UsageError{"a command and a player file are needed"};
    const std::string& command = args[0];
    if (command == "create") return Create(args);

    const bool withImage = command == "export-data" || command == "import-data" || command == "export-volume";
    const bool report = command == "info" || command == "pc";
    if (!report && !withImage) throw UsageError{"unknown command \"" + command + "\""};
    if (args.size() != (withImage ? 3u : 2u)) throw UsageError{command + ": wrong number of arguments"};
    // Only import-data changes the player; the others read a file that a
    // save replaces whole, never one half written.
    std::unique_ptr<SimStateLock> lock;
    if (command == "import-data") lock = std::make_unique<SimStateLock>(args[1]);
    std::string error = lock ? Refusal(*lock, args[1]) : "";
    SimPlayerState state;
    if (error.empty()) error = SimLoadPlayerState(args[1], state);
    if (!error.empty()) return Fail(error);
    if (command == "info") {
        PrintPlayerInfo(state, std::cout);
        return 0;
    }
    if (command == "pc") {
        SimWindows windows = SimWindows::kXp;
        const char* name = std::getenv("CADDIS_WINDOWS");
        if (name && *name && !SimParseWindows(name, windows)) {
            throw UsageError{std::string("CADDIS_WINDOWS=") + name + " is none of 95, 98, me, 2000, xp"};
        }
        PrintPlayerOnPc(state, windows, std::cout);
        return 0;
    }
    if (command == "export-data" || command == "export-volume") {
        error = command == "export-data" ? ExportDataDrive(state, args[2]) : ExportDataVolume(state, args[2]);
        return error.empty() ? 0 : Fail(error);
    }
    error = ImportDataDrive(state, args[2]);
    if (error.empty()) error = SimSavePlayerState(state, args[1]);
    return error.empty() ? 0 : Fail(error);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& usage) {
        std::cerr << "player-sim: " << usage.text << "\n" << kUsageText;
        return kUsage;
    }
}
