#include "PlayerPcReport.h"

#include <cstdio>
#include <memory>
#include <string>

#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPlayerPort.h"
#include "platform/sim/player/SimStorageProperty.h"
#include "platform/sim/player/SimWindowsPc.h"

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string Trimmed(std::string text) {
    text.erase(text.find_last_not_of(std::string(" \0", 2)) + 1);
    return text;
}

// The registry keys of the disks that Windows 9x has device nodes for.
void PrintDeviceKeys(SimRegistry& registry, std::ostream& out) {
    std::shared_ptr<SimRegistry::Key> nodes;
    if (registry.Open(registry.Root(HKEY_DYN_DATA), L"Config Manager\\Enum", nodes) != ERROR_SUCCESS) return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[64];
        DWORD length = 64;
        if (registry.EnumKey(*nodes, index, name, &length, nullptr) != ERROR_SUCCESS) break;
        std::shared_ptr<SimRegistry::Key> node;
        wchar_t hardwareKey[260] = {};
        DWORD size = sizeof hardwareKey - sizeof(wchar_t);
        if (registry.Open(nodes, name, node) != ERROR_SUCCESS ||
            registry.QueryValue(*node, L"HardWareKey", nullptr, reinterpret_cast<BYTE*>(hardwareKey), &size) !=
                ERROR_SUCCESS) {
            continue;
        }
        if (std::wstring(hardwareKey).rfind(L"SCSI\\", 0) == 0) out << "device key: Enum\\" << Narrow(hardwareKey) << "\n";
    }
}

}  // namespace

void PrintPlayerOnPc(const SimPlayerState& state, SimWindows windows, std::ostream& out) {
    SimMachine machine;
    SimSetUpWindows(machine, windows);
    const SimVersion version = machine.Version();
    auto player = std::make_shared<SimFlashPlayer>(state);
    SimPlayerPlace place;
    std::shared_ptr<SimPlayerPort> port = SimPlugPlayer(machine, player, place);

    out << "windows: " << SimWindowsName(windows) << "\n";
    out << "version: " << version.major << "." << version.minor << "." << version.build << "\n";
    if (port->Mode() == SimPlayerMode::kRecovery) {
        out << "recovery device: \\\\.\\VrMp3RecDevice" << place.recoveryDevice << "\n";
        return;
    }
    out << "drive letter: " << static_cast<char>(place.letter) << "\n";
    if (!machine.RunsWindows9x()) {
        out << "volume: \\\\.\\" << static_cast<char>(place.letter) << ":\n";
        out << "disk: \\\\.\\PhysicalDrive" << place.disk << "\n";
        return;
    }
    const std::vector<SimAspiAdapter> adapters = machine.Aspi().Adapters();
    out << "aspi host adapters: " << adapters.size() << "\n";
    for (size_t number = 0; number < adapters.size(); ++number) {
        const SimAspiAdapter& adapter = adapters[number];
        SimDiskIdentity identity;
        std::string unit = "none";
        if (adapter.unit && SimInquireIdentity(*adapter.unit, identity)) {
            unit = Trimmed(identity.vendor) + " " + Trimmed(identity.product);
        }
        const std::string key = "aspi adapter " + std::to_string(number) + " ";
        out << key << "name: " << adapter.identifier << "\n";
        out << key << "unit: " << unit << "\n";
        char drive[8];
        std::snprintf(drive, sizeof drive, "0x%02X", adapter.int13Drive);
        out << key << "int13 drive: " << (adapter.int13Drive >= 0x80 ? drive : "none") << "\n";
    }
    PrintDeviceKeys(machine.Registry(), out);
}
