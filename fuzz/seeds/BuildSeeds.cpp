// Seeds from what the build makes: the resource libraries, the component
// files, the window outline, players as they leave the factory and the
// update, their replies, the locales' date pictures and command lines.
#include <memory>
#include <string>
#include <vector>

#include "fuzz/PlayerRequests.h"
#include "fuzz/seeds/SeedFiles.h"
#include "platform/ResourceStrings.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimCommand.h"
#include "platform/sim/player/SimStateFile.h"
#include "tools/player-sim/PlayerSetup.h"
#include "updater/device/VrStandardCommands.h"
#include "updater/device/VrVendorQueries.h"

namespace fs = std::filesystem;

namespace {

const LANGID kLanguages[] = {0x0404, 0x0407, 0x0409, 0x040A, 0x040C, 0x0411, 0x0412, 0x0804};
// A seed keeps the libFuzzer's inputs small: the header scan and the state
// loader need no more than the start of a large file to be reached.
const size_t kComponentHead = 1024;
// The skin library (megabytes of pictures) is left out of the image seeds:
// the language libraries have the same resource tree, at a size that keeps
// the fuzzer quick.
const uintmax_t kLargestImageSeed = 256 * 1024;

void ResourceSeeds(const fs::path& bin, const fs::path& ownResources, const fs::path& root) {
    SeedFolder pe(root, "pe_resources");
    for (const fs::directory_entry& entry : fs::directory_iterator(bin)) {
        if (entry.path().extension() == ".dll" && entry.file_size() <= kLargestImageSeed) pe.Copy(entry.path());
    }
    pe.Copy(ownResources);
    SeedFolder(root, "skin_region").Copy(bin / "RgnBack.rgn");
    SeedFolder components(root, "component_header");
    for (const char* file : {"bootmanager.sb", "usbmsc.sb", "vrxasys.sb", "resource.bin"}) {
        components.Copy(bin / file, kComponentHead);
    }
}

// Every string of the skin library, after the separator its lists use.
void SkinStringSeeds(const fs::path& bin, const fs::path& root) {
    SimMachine machine;
    SimHost host(machine, L"C:\\Tavlo.exe");
    const std::vector<uint8_t> library = ReadFileBytes(bin / "SkinRes.dll");
    if (!host.SetProgramImage(library.data(), library.size())) throw std::runtime_error("SkinRes.dll does not load");
    SeedFolder seeds(root, "skin_strings");
    for (UINT id = 0; id <= 0xFFFF; ++id) {
        std::wstring text;
        if (!LoadResourceString(host, host.GetModuleHandle(nullptr), id, 0, text)) continue;
        const wchar_t separator = text.find(L';') != std::wstring::npos ? L';' : L',';
        seeds.Write(std::to_string(id), separator + text);
    }
}

void DatePictureSeeds(const fs::path& root) {
    SeedFolder seeds(root, "date_picture");
    for (LANGID language : kLanguages) {
        SimMachine machine;
        machine.SetLanguages(language, language);
        SimHost host(machine, L"C:\\Tavlo.exe");
        for (LCTYPE type : {LOCALE_SSHORTDATE, LOCALE_SLONGDATE, LOCALE_STIMEFORMAT}) {
            wchar_t picture[128] = {};
            if (host.GetLocaleInfo(LOCALE_USER_DEFAULT, type, picture, 128) > 1) {
                seeds.Write(std::to_string(language) + "-" + std::to_string(type), std::wstring(picture));
            }
        }
    }
}

// Paths as the text-to-speech program hands them back, with and without
// their terminating zero, the list shown at the root or in a folder.
void CopyDataSeeds(const fs::path& root) {
    SeedFolder seeds(root, "copy_data");
    const std::string path = "C:\\Program Files\\Zizivazo TTS\\speech.wav";
    for (uint8_t depth = 1; depth <= 2; ++depth) {
        std::vector<uint8_t> bytes{depth};
        bytes.insert(bytes.end(), path.begin(), path.end());
        seeds.Write("depth" + std::to_string(depth) + "-unterminated", bytes);
        bytes.push_back(0);
        seeds.Write("depth" + std::to_string(depth) + "-terminated", bytes);
    }
}

void CommandLineSeeds(const fs::path& root) {
    SeedFolder seeds(root, "command_line");
    const std::vector<std::string> lines[] = {
        {"-silent"},          {"-log", "caddis.log"},     {"/AutoStart", "-noquestions", "-preselect"},
        {"--help"},           {"-log", "-english", "/tmp/update.log"}, {"-fat16", "-autoclose", "C:\\x.log"},
    };
    for (uint8_t language = 0; language < sizeof kLanguages / sizeof kLanguages[0]; ++language) {
        for (size_t line = 0; line < sizeof lines / sizeof lines[0]; ++line) {
            std::vector<uint8_t> bytes{language};
            for (const std::string& word : lines[line]) {
                if (bytes.size() > 1) bytes.push_back(0);
                bytes.insert(bytes.end(), word.begin(), word.end());
            }
            seeds.Write(std::to_string(language) + "-" + std::to_string(line), bytes);
        }
    }
}

// The player's reply to `command`, as its transport would hand it over.
std::vector<uint8_t> Served(SimPlayerState& state, CVrScsiCommand& command) {
    command.BuildCommand();
    std::vector<uint8_t> block(command.GetBlock().GetCount());
    command.GetBlock().GetBytes(block.data(), static_cast<uint32_t>(block.size()), 0);
    std::vector<uint8_t> reply(command.GetReplyLength());
    SimCommand served;
    served.cdb = block.data();
    served.cdbLength = command.GetCommandLength();
    served.dataIn = reply.data();
    served.dataInCapacity = reply.size();
    reply.resize(SimServeCommand(state, served).dataIn);
    return reply;
}

void PlayerReplySeeds(SimPlayerState& state, const fs::path& root) {
    SeedFolder seeds(root, "player_replies");
    std::unique_ptr<CVrScsiCommand> commands[kPlayerRequestCount];
    commands[uint8_t(PlayerRequest::kLogicalTable)] = std::make_unique<CVrGetLogicalTable>();
    commands[uint8_t(PlayerRequest::kSectorSize)] =
        std::make_unique<CVrGetLogicalDriveInfo>(state.drives.front().number, CVrGetLogicalDriveInfo::kSectorSize, 4);
    commands[uint8_t(PlayerRequest::kDriveVersion)] = std::make_unique<CVrGetLogicalDriveInfo>(
        state.drives.back().number, CVrGetLogicalDriveInfo::kComponentVersion, 48);
    commands[uint8_t(PlayerRequest::kMediaSize)] =
        std::make_unique<CVrGetLogicalMediaInfo>(CVrGetLogicalMediaInfo::kMediaSize, 8);
    commands[uint8_t(PlayerRequest::kIsPlayer)] =
        std::make_unique<CVrGetLogicalMediaInfo>(CVrGetLogicalMediaInfo::kIsPlayer, 1);
    commands[uint8_t(PlayerRequest::kInquiry)] = std::make_unique<CVrScsiInquiry>();
    commands[uint8_t(PlayerRequest::kCapacity)] = std::make_unique<CVrReadCapacity>();
    commands[uint8_t(PlayerRequest::kChipRevision)] = std::make_unique<CVrGetChipMajorRevId>();
    for (uint8_t request = 0; request < kPlayerRequestCount; ++request) {
        std::vector<uint8_t> seed{request};
        const std::vector<uint8_t> reply = Served(state, *commands[request]);
        seed.insert(seed.end(), reply.begin(), reply.end());
        seeds.Write(std::to_string(request), seed);
    }
}

// Players as the update leaves them, their flash reduced to one written
// chunk at the start of the first drive so that a seed stays small; and a
// player from the factory.
void PlayerStateSeeds(const std::vector<SimPlayerState*>& players, const fs::path& root) {
    SeedFolder seeds(root, "player_state");
    const fs::path file = root / "player_state" / "factory";
    SimPlayerState factory(4u << 20);
    if (!SimSavePlayerState(factory, file).empty()) throw std::runtime_error("cannot save " + file.string());
    int index = 0;
    for (const SimPlayerState* player : players) {
        SimPlayerState small(player->flash.Size());
        small.identity = player->identity;
        small.drives = player->drives;
        const BYTE written[] = "LUMO";
        small.flash.Write(small.drives.front().offset, written, sizeof written);
        const fs::path updated = root / "player_state" / ("updated-" + std::to_string(index++));
        if (!SimSavePlayerState(small, updated).empty()) throw std::runtime_error("cannot save " + updated.string());
    }
}

}  // namespace

void WriteBuildSeeds(const fs::path& bin, const fs::path& ownResources, const fs::path& root) {
    ResourceSeeds(bin, ownResources, root);
    SkinStringSeeds(bin, root);
    DatePictureSeeds(root);
    CommandLineSeeds(root);
    CopyDataSeeds(root);

    std::vector<ShippedComponent> components;
    std::string error = ReadShippedComponents(bin, components);
    SimPlayerState current(16u << 20), old(16u << 20);
    if (error.empty()) error = InstallFirmware(current, FirmwareChoice::kCurrent, components);
    if (error.empty()) error = InstallFirmware(old, FirmwareChoice::kOld, components);
    if (!error.empty()) throw std::runtime_error(error);
    PlayerReplySeeds(current, root);
    PlayerStateSeeds({&current, &old}, root);
}
