// A simulated PC for Quell's searches: USB hubs, players plugged in as
// drives with their USB devices on hub ports, and the process that asks.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimHost.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimAttach.h"
#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPlayerPort.h"

class QuellPc : public ::testing::Test {
protected:
    static constexpr unsigned kVendor = kSimPlayerUsbVendor;
    static constexpr unsigned kProduct = kSimPlayerUsbProduct;

    // A player in mass-storage mode at `letter`, its disk PhysicalDrive`disk`,
    // its USB device on port `port` of hub `hub` (from 1).
    std::shared_ptr<SimPlayerPort> PlugPlayer(wchar_t letter, unsigned hub = 1, unsigned port = 1,
                                              unsigned disk = 1) {
        SimPlayerPlace place;
        place.letter = letter;
        place.disk = disk;
        place.usbHub = hub;
        place.usbPort = port;
        auto player = std::make_shared<SimFlashPlayer>(SimPlayerState(4u << 20));
        ports.push_back(SimPlugPlayer(machine, player, place));
        return ports.back();
    }

    // The PC's own disk at C: and a USB disk of another maker at D:.
    void AddOtherDrives() {
        machine.MapFolder(L'C', DRIVE_FIXED, std::filesystem::temp_directory_path());
        SimAttachPlayer(machine, L'D', SimMakeOtherDisk("Pellam  ", "USB Flash Disk"));
    }

    SimMachine machine;
    SimHost host{machine, L"C:\\Program Files\\Tavlo\\Tavlo.exe"};
    std::vector<std::shared_ptr<SimPlayerPort>> ports;
};
