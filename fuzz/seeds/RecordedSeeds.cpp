// Seeds recorded from the simulated PC: what its drivers, registry, ASPI
// layer and "\\.\vwin32" answered while the parsers asked, each call in the
// order the targets make them, so that a seed replays as it was recorded
// (which is checked here).
#include <memory>
#include <stdexcept>
#include <string>

#include "fuzz/AnswerHost.h"
#include "fuzz/seeds/SeedFiles.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPlayerPort.h"
#include "platform/sim/player/SimWindowsPc.h"
#include "tools/player-sim/PlayerSetup.h"
#include "fuzz/Transport9x.h"
#include "updater/base/VrConfigInfo.h"
#include "updater/base/VrResult.h"
#include "updater/engine/VrUpdater.h"
#include "usbsupport/QuellDevNodes9x.h"
#include "usbsupport/QuellHubSearch.h"
#include "usbsupport/QuellStorageIdentity.h"

namespace fs = std::filesystem;

namespace {

// A PC of `windows` with two USB hubs, another maker's disk at D: and an
// updated player at E: whose USB device is on `hub`, port 3.
struct RecordingPc {
    SimMachine machine;
    std::shared_ptr<SimPlayerPort> port;
    std::unique_ptr<AnswerHost> host;

    RecordingPc(const fs::path& bin, SimWindows windows, unsigned hub) {
        SimSetUpWindows(machine, windows);
        machine.AddUsbHub(4);
        machine.AddUsbHub(4);
        std::vector<ShippedComponent> components;
        SimPlayerState state(16u << 20);
        std::string error = ReadShippedComponents(bin, components);
        if (error.empty()) error = InstallFirmware(state, FirmwareChoice::kCurrent, components);
        if (!error.empty()) throw std::runtime_error(error);
        SimAttachPlayer(machine, L'D', SimMakeOtherDisk("Pellam  ", "USB Flash Disk"));
        SimPlayerPlace place;
        place.usbHub = hub;
        place.usbPort = 3;
        port = SimPlugPlayer(machine, std::make_shared<SimFlashPlayer>(std::move(state)), place);
        host = std::make_unique<AnswerHost>(machine);
    }
};

// A recording that does not replay to what the PC answered would seed the
// fuzzer with answers its target never reads.
void CheckReplay(bool same, const std::string& seed) {
    if (!same) throw std::runtime_error("the recorded answers of " + seed + " do not replay as recorded");
}

void QuellSeeds(const fs::path& bin, const fs::path& root) {
    SeedFolder storage(root, "storage_descriptor"), hubs(root, "hub_answers"), registry(root, "registry_9x");
    SimMachine blank;
    for (wchar_t letter : {L'D', L'E'}) {
        RecordingPc pc(bin, SimWindows::kXp, 1);
        std::wstring vendor, product, replayedVendor, replayedProduct;
        const bool found = StorageIdentity(*pc.host, letter, vendor, product);
        const std::vector<uint8_t>& tape = pc.host->Recorded();
        AnswerHost replay(blank, tape.data(), tape.size());
        CheckReplay(found && StorageIdentity(replay, letter, replayedVendor, replayedProduct) &&
                        vendor == replayedVendor && product == replayedProduct,
                    "storage_descriptor");
        storage.Write(std::string(1, static_cast<char>(letter)), tape);
    }
    for (unsigned hub : {1u, 2u}) {
        RecordingPc pc(bin, SimWindows::kXp, hub);
        const int found = FindUsbDeviceHub(*pc.host, kSimPlayerUsbVendor, kSimPlayerUsbProduct);
        const std::vector<uint8_t>& tape = pc.host->Recorded();
        AnswerHost replay(blank, tape.data(), tape.size());
        CheckReplay(found == static_cast<int>(hub) &&
                        FindUsbDeviceHub(replay, kSimPlayerUsbVendor, kSimPlayerUsbProduct) == found,
                    "hub_answers");
        hubs.Write("hub" + std::to_string(hub), tape);
    }
    for (SimWindows windows : {SimWindows::k98, SimWindows::kMe}) {
        RecordingPc pc(bin, windows, 1);
        const std::array<DriveIdentity9x, 26> table = ReadDriveTable9x(*pc.host);
        const std::vector<uint8_t>& tape = pc.host->Recorded();
        AnswerHost replay(blank, tape.data(), tape.size());
        const std::array<DriveIdentity9x, 26> replayed = ReadDriveTable9x(replay);
        for (size_t i = 0; i < table.size(); ++i) {
            CheckReplay(table[i].letter == replayed[i].letter && table[i].product == replayed[i].product,
                        "registry_9x");
        }
        CheckReplay(table[L'E' - L'A'].letter == L'E', "registry_9x");
        registry.Write(windows == SimWindows::k98 ? "98" : "me", tape);
    }
}

// The transport's search and requests on the PC, and once more on the tape
// alone, which must find the same adapter and letter.
void TransportSeed(const fs::path& bin, SimWindows windows, const SeedFolder& seeds, const std::string& name) {
    RecordingPc pc(bin, windows, 1);
    CVrConfigInfo config;
    uint8_t adapter = 0;
    wchar_t letter = 0;
    {
        CVrUpdater updater(*pc.host, config);
        CVrScsi_9x transport(updater.GetContext());
        if (RunTransport9x(transport) != kVrOk) throw std::runtime_error("the 9x transport finds no player");
        adapter = transport.GetHostAdapter();
        letter = transport.GetDriveLetter();
    }
    const std::vector<uint8_t>& tape = pc.host->Recorded();
    SimMachine blank;
    AnswerHost replay(blank, tape.data(), tape.size());
    CVrUpdater updater(replay, config);
    CVrScsi_9x transport(updater.GetContext());
    CheckReplay(RunTransport9x(transport) == kVrOk && transport.GetHostAdapter() == adapter &&
                    transport.GetDriveLetter() == letter,
                "transport_9x");
    seeds.Write(name, tape);
}

}  // namespace

void WriteRecordedSeeds(const fs::path& bin, const fs::path& root) {
    QuellSeeds(bin, root);
    SeedFolder transport(root, "transport_9x");
    TransportSeed(bin, SimWindows::k98, transport, "98");
    TransportSeed(bin, SimWindows::kMe, transport, "me");
}
