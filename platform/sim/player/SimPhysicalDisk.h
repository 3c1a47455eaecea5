// The player's whole medium as a disk in the device namespace
// ("\\.\PhysicalDrive1"): what the formatter opens to set the drive layout
// and write the boot record before the volume exists. Its handles are a raw
// medium's (SimRawMedium) over the whole medium, and besides answer the
// disk's geometry and layout requests (SimDiskLayout). Its locks and the
// volume's exclude each other (SimMediumClaims).
#pragma once

#include <memory>

#include "platform/sim/SimDrive.h"
#include "platform/sim/player/SimMediumClaims.h"
#include "platform/sim/player/SimRawMedium.h"

class SimPlayer;

class SimPhysicalDisk final : public SimDevice {
public:
    SimPhysicalDisk(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims);
    ~SimPhysicalDisk() override;

    DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) override;

    SimVolumeRequests Requests() const;
    bool Locked() const;
    // The disk went away (the player was pulled out, or left mass-storage
    // mode): its name no longer opens and its open handles fail with
    // ERROR_DEVICE_NOT_CONNECTED.
    void Withdraw();

private:
    struct State;

    std::shared_ptr<State> state_;
};
