// Seeds recorded from the simulated PC: what its drivers, registry, ASPI
// layer and "\\.\vwin32" answered while the parsers asked, each call in the
// order the targets make them, so that a seed replays as it was recorded.
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
#include "updater/device/VrAspiRequest.h"
#include "updater/device/VrDosRequest.h"
#include "updater/engine/VrByteArray.h"
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

// The transport target's calls: adapter count, the player's INT 13 drive,
// a command the player refuses, and a lock of `drive` with and without
// the FAT32 category.
void TransportSeed(const fs::path& bin, SimWindows windows, uint8_t drive, const SeedFolder& seeds,
                   const std::string& name) {
    RecordingPc pc(bin, windows, 1);
    AnswerHost& host = *pc.host;
    HMODULE aspi = host.LoadLibrary(L"WNASPI32.DLL");
    FARPROC entry = aspi ? host.GetProcAddress(aspi, "SendASPI32Command") : nullptr;
    if (!entry) throw std::runtime_error("the simulated PC has no ASPI layer");
    auto send = reinterpret_cast<AnswerHost::AspiSend>(reinterpret_cast<void (*)()>(entry));

    uint8_t inquiry[60] = {};
    host.SendAspi(inquiry, sizeof inquiry, send);
    const uint8_t adapters = inquiry[8];
    uint8_t disk[24] = {0x06, 0, static_cast<uint8_t>(adapters ? adapters - 1 : 0)};
    host.SendAspi(disk, sizeof disk, send);

    CVrByteArray block(6);
    const uint8_t unknownCommand = 0xFF;
    block.SetBytes(&unknownCommand, 1, 0);
    HANDLE event = host.CreateEvent(nullptr, TRUE, FALSE, nullptr);
    CVrAspiExecute request(disk[2], false, 0, 0, event, block, 6);
    if (host.SendAspi(request.GetBytes(), CVrAspiExecute::kSize, send) == kVrAspiPending) {
        host.WaitForSingleObject(event, 10000);
    }
    host.CloseHandle(event);

    HANDLE vwin32 = host.CreateFile(L"\\\\.\\vwin32", 0, 0, nullptr, 0, 0, nullptr);
    VrDosRequest lock;
    lock.drive = drive;
    lock.minor = 0x4A;
    DWORD error = 0;
    VrDosBlockRequest(host, vwin32, lock, true, error);
    VrDosBlockRequest(host, vwin32, lock, false, error);
    host.CloseHandle(vwin32);
    host.FreeLibrary(aspi);
    seeds.Write(name, host.Recorded());
}

}  // namespace

void WriteRecordedSeeds(const fs::path& bin, const fs::path& root) {
    QuellSeeds(bin, root);
    SeedFolder transport(root, "transport_9x");
    TransportSeed(bin, SimWindows::k98, 5, transport, "98-player");
    TransportSeed(bin, SimWindows::kMe, 5, transport, "me-player");
    TransportSeed(bin, SimWindows::k98, 4, transport, "98-other-disk");
}
