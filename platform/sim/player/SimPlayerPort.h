// The USB port a simulated player is plugged into: it shows the player on
// the PC the way Windows 2000 and XP do in the player's current mode, and
// shows it anew whenever the player restarts.
//
//   mass-storage mode: a removable drive letter with its volume "\\.\E:",
//                      the whole medium as "\\.\PhysicalDriveN", its USB
//                      device on a hub's port; on Windows 9x the letter, the
//                      USB device, its device node in the registry, a unit on
//                      an ASPI host adapter and its drive for the DOS
//                      requests of "\\.\vwin32" instead of the two names;
//   recovery mode:     only the recovery driver's "\\.\VrMp3RecDeviceN".
//
// The player restarts when a recovery stream has brought it a whole
// firmware image (it then runs that image), and when a test power-cycles it
// with Restart (its boot ROM then looks at the firmware drive, SimBootMode).
// Nothing else restarts it: an updater that erases the firmware drive keeps
// talking to the running firmware until the player is unplugged or reset.
#pragma once

#include <memory>
#include <mutex>

#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimFlashPlayer.h"
#include "platform/sim/player/SimPhysicalDisk.h"
#include "platform/sim/player/SimPlayerVolume.h"
#include "platform/sim/player/SimRecoveryDevice.h"

// Where the player shows: the numbers are the ones Windows hands out, so a
// test picks them to put other devices before it.
struct SimPlayerPlace {
    wchar_t letter = L'E';
    unsigned disk = 1;            // PhysicalDrive0 is the PC's own disk
    unsigned recoveryDevice = 0;
    // The hub (counted from 1 in the order of the machine's hubs) and its
    // port; a PC without that hub or port shows no USB device.
    unsigned usbHub = 1;
    unsigned usbPort = 1;
    // Windows 95, 98 and Me: the ASPI host adapter of the player's USB
    // storage driver (after the PC's own adapters) and the BIOS drive number
    // of its disk, 0 when only the protected-mode driver reaches it.
    unsigned aspiAdapter = 2;
    BYTE int13Drive = 0x81;
};

// The player's USB device descriptor in mass-storage mode.
const WORD kSimPlayerUsbVendor = 0x0ED1;
const WORD kSimPlayerUsbProduct = 0x7636;

class SimPlayerPort : public std::enable_shared_from_this<SimPlayerPort> {
public:
    SimPlayerPort(SimMachine& machine, std::shared_ptr<SimFlashPlayer> player, const SimPlayerPlace& place);
    ~SimPlayerPort();
    SimPlayerPort(const SimPlayerPort&) = delete;
    SimPlayerPort& operator=(const SimPlayerPort&) = delete;

    // The player is power-cycled: its boot ROM chooses its mode again.
    void Restart();
    // The player goes: everything it showed goes with it, open handles fail.
    void Unplug();

    SimPlayerMode Mode() const;
    // What shows now; null for what the current mode does not show.
    std::shared_ptr<SimPlayerVolume> Volume() const;
    std::shared_ptr<SimPhysicalDisk> Disk() const;
    std::shared_ptr<SimRecoveryDevice> Recovery() const;

    // Shows the player in the mode its state holds (used by SimPlugPlayer
    // and after a recovery stream).
    void Show();

private:
    void HideLocked();
    std::shared_ptr<SimUsbHub> Hub() const;

    SimMachine& machine_;
    const std::shared_ptr<SimFlashPlayer> player_;
    const SimPlayerPlace place_;
    mutable std::mutex mutex_;
    std::shared_ptr<SimPlayerVolume> volume_;
    std::shared_ptr<SimPhysicalDisk> disk_;
    std::shared_ptr<SimRecoveryDevice> recovery_;
    bool shownTo9x_ = false;  // on an ASPI adapter and to "\\.\vwin32"
};

// Plugs `player` in and shows it in the mode its state holds. The machine
// must outlive the port: the port unplugs the player when it goes.
std::shared_ptr<SimPlayerPort> SimPlugPlayer(SimMachine& machine, std::shared_ptr<SimFlashPlayer> player,
                                             const SimPlayerPlace& place = SimPlayerPlace());
