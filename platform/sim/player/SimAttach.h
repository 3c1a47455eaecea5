// Putting the player on the simulated PC as Windows 2000 and XP show a USB
// disk (a removable drive letter and its volume "\\.\X:"), taking it away
// again, and the other drives a PC has that a search for the player must
// pass over.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/sim/SimMachine.h"
#include "platform/sim/player/SimPlayerVolume.h"

// Maps `letter` to the player's files and registers its volume "X:" in the
// device namespace; Windows 9x gets the disk's device node (its INQUIRY
// identity). DRIVE_REMOVABLE is how a USB disk shows; DRIVE_FIXED makes a
// hard disk that answers like a player if asked. Tests watch the requests on
// the volume returned.
std::shared_ptr<SimPlayerVolume> SimAttachPlayer(SimMachine& machine, wchar_t letter, std::shared_ptr<SimPlayer> player,
                                                 UINT type = DRIVE_REMOVABLE);
// Pulls the player at `letter` out: the letter leaves the drive mask, the
// volume's name no longer opens, and the handles still open fail with
// ERROR_DEVICE_NOT_CONNECTED.
void SimPullOutPlayer(SimMachine& machine, wchar_t letter);

// A USB disk that is no player: INQUIRY answers with its vendor and product
// (blank-padded to 8 and 16), every other command is refused, and it has no
// medium. Attach it with SimAttachPlayer.
std::shared_ptr<SimPlayer> SimMakeOtherDisk(const std::string& vendor, const std::string& product);

// The PC's own hard disk as "\\.\PhysicalDrive<number>": a disk that is no
// player (INQUIRY answers another identity), so a search of the physical
// disks has to compare identities to pass over it.
std::shared_ptr<class SimPhysicalDisk> SimAttachSystemDisk(SimMachine& machine, unsigned number = 0);

// A volume whose every open fails with one error; it counts the attempts.
class SimClosedVolume final : public SimDevice {
public:
    explicit SimClosedVolume(DWORD error) : error_(error) {}
    DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) override;
    unsigned Attempts() const;

private:
    const DWORD error_;
    mutable std::mutex mutex_;
    unsigned attempts_ = 0;
};

// A removable drive without a medium whose volume refuses to open with
// `error` (ERROR_ACCESS_DENIED: another program holds it exclusively).
std::shared_ptr<SimClosedVolume> SimAttachClosedDrive(SimMachine& machine, wchar_t letter,
                                                      DWORD error = ERROR_ACCESS_DENIED);
// Drive A:, a floppy drive without a disk. Its volume answers
// ERROR_NOT_READY; the attempts show whether a search touched it.
std::shared_ptr<SimClosedVolume> SimAttachFloppy(SimMachine& machine);
