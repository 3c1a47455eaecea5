// A whole PC for tests that run Caddis against a player: Caddis in C:\Caddis
// with the shipped component files and the language libraries, the PC's own
// disk, and a simulated player that a test plugs in as drive E:.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPlayerPort.h"
#include "tests/platform/SimTestFolder.h"
#include "tools/player-sim/PlayerSetup.h"

class SimulatedPc {
public:
    // `libraries` are copied beside the program ("vrxa0409.dll" ...). On
    // Windows 95, 98 and Me the PC has its own ASPI adapters before the
    // player's, and no physical disk names.
    explicit SimulatedPc(const std::vector<std::string>& libraries = {"vrxa0409.dll"},
                         SimWindows windows = SimWindows::kXp);
    ~SimulatedPc();
    SimulatedPc(const SimulatedPc&) = delete;
    SimulatedPc& operator=(const SimulatedPc&) = delete;

    // A player of `flashMiB` with that firmware at E: (its disk is
    // PhysicalDrive1, after the PC's own disk), and on its data drive
    // a FAT volume holding the named files.
    std::shared_ptr<SimFlashPlayer> AttachPlayer(FirmwareChoice firmware, uint32_t flashMiB = 16,
                                                 const std::vector<std::wstring>& dataFiles = {});
    // A player whose layout cannot take the new components: its resource
    // drive (1 MiB) is smaller than the resource image (3 MiB).
    std::shared_ptr<SimFlashPlayer> AttachPlayerWithTooSmallLayout();
    // An old player whose mass-storage firmware is gone: it shows only in
    // recovery mode.
    std::shared_ptr<SimFlashPlayer> AttachPlayerInRecoveryMode();
    // The same with a layout of the test's own.
    std::shared_ptr<SimFlashPlayer> AttachPlayer(SimPlayerState state);

    // The drive of the attached player that holds the component with `tag`.
    const SimLogicalDrive* SystemDrive(uint8_t tag) const;
    std::vector<BYTE> DriveBytes(const SimLogicalDrive& drive) const;
    const ShippedComponent& Shipped(uint8_t tag) const;

    SimTestFolder folder;
    SimMachine machine;
    SimHost host{machine, L"C:\\Caddis\\Caddis.exe"};
    std::vector<ShippedComponent> shipped;
    std::shared_ptr<SimFlashPlayer> player;
    std::shared_ptr<SimPlayerPort> port;
    std::shared_ptr<SimPlayerVolume> volume;
    // Where the next player attached shows.
    SimPlayerPlace place;
};
