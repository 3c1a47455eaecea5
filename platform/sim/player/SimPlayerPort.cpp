#include "platform/sim/player/SimPlayerPort.h"

#include <string>

#include "platform/sim/player/SimBoot.h"
#include "platform/sim/player/SimPlayerDosDrive.h"
#include "platform/sim/player/SimPlayerDrive.h"

namespace {

std::wstring VolumeName(wchar_t letter) { return std::wstring(1, letter) + L":"; }
std::wstring DiskName(unsigned number) { return L"PhysicalDrive" + std::to_wstring(number); }
std::wstring RecoveryName(unsigned number) { return L"VrMp3RecDevice" + std::to_wstring(number); }

}  // namespace

SimPlayerPort::SimPlayerPort(SimMachine& machine, std::shared_ptr<SimFlashPlayer> player, const SimPlayerPlace& place)
    : machine_(machine), player_(std::move(player)), place_(place) {}

SimPlayerPort::~SimPlayerPort() { Unplug(); }

void SimPlayerPort::Restart() {
    player_->WithState([](SimPlayerState& state) { state.mode = SimBootMode(state); });
    Show();
}

void SimPlayerPort::Unplug() {
    std::lock_guard<std::mutex> lock(mutex_);
    HideLocked();
}

SimPlayerMode SimPlayerPort::Mode() const {
    SimPlayerMode mode = SimPlayerMode::kMassStorage;
    player_->WithState([&](SimPlayerState& state) { mode = state.mode; });
    return mode;
}

std::shared_ptr<SimPlayerVolume> SimPlayerPort::Volume() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return volume_;
}

std::shared_ptr<SimPhysicalDisk> SimPlayerPort::Disk() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return disk_;
}

std::shared_ptr<SimRecoveryDevice> SimPlayerPort::Recovery() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return recovery_;
}

void SimPlayerPort::Show() {
    const SimPlayerMode mode = Mode();
    std::lock_guard<std::mutex> lock(mutex_);
    HideLocked();
    if (mode == SimPlayerMode::kRecovery) {
        std::weak_ptr<SimPlayerPort> port = weak_from_this();
        recovery_ = std::make_shared<SimRecoveryDevice>(player_, [port] {
            if (std::shared_ptr<SimPlayerPort> plugged = port.lock()) plugged->Show();
        });
        machine_.RegisterDevice(RecoveryName(place_.recoveryDevice), recovery_);
        return;
    }
    auto claims = std::make_shared<SimMediumClaims>();
    volume_ = std::make_shared<SimPlayerVolume>(player_, claims);
    disk_ = std::make_shared<SimPhysicalDisk>(player_, claims);
    machine_.MapDrive(place_.letter, std::make_shared<SimPlayerDrive>(volume_, DRIVE_REMOVABLE, machine_.Clock()));
    if (machine_.RunsWindows9x()) {
        machine_.Aspi().SetUnit(place_.aspiAdapter, player_, place_.int13Drive);
        machine_.Vwin32().Attach(place_.letter,
                                 std::make_shared<SimPlayerDosDrive>(player_, volume_, place_.int13Drive));
        shownTo9x_ = true;
    } else {
        machine_.RegisterDevice(VolumeName(place_.letter), volume_);
        machine_.RegisterDevice(DiskName(place_.disk), disk_);
    }
    // The identity the player gives INQUIRY, read without sending it one.
    SimDiskIdentity identity;
    player_->WithState([&identity](SimPlayerState& state) {
        identity = {state.identity.vendor, state.identity.product, state.identity.revision};
    });
    machine_.AnnounceDisk(place_.letter, identity);
    if (std::shared_ptr<SimUsbHub> hub = Hub()) hub->Plug(place_.usbPort, {kSimPlayerUsbVendor, kSimPlayerUsbProduct});
}

std::shared_ptr<SimUsbHub> SimPlayerPort::Hub() const {
    std::vector<std::shared_ptr<SimUsbHub>> hubs = machine_.UsbHubs();
    return place_.usbHub >= 1 && place_.usbHub <= hubs.size() ? hubs[place_.usbHub - 1] : nullptr;
}

void SimPlayerPort::HideLocked() {
    if (volume_) {
        volume_->PullOut();
        machine_.UnmapDrive(place_.letter);
        machine_.UnregisterDevice(VolumeName(place_.letter));
        machine_.WithdrawDisk(place_.letter);
        if (std::shared_ptr<SimUsbHub> hub = Hub()) hub->Unplug(place_.usbPort);
        volume_.reset();
    }
    if (shownTo9x_) {
        machine_.Aspi().SetUnit(place_.aspiAdapter, nullptr, 0);
        machine_.Vwin32().Detach(place_.letter);
        shownTo9x_ = false;
    }
    if (disk_) {
        disk_->Withdraw();
        machine_.UnregisterDevice(DiskName(place_.disk));
        disk_.reset();
    }
    if (recovery_) {
        recovery_->Withdraw();
        machine_.UnregisterDevice(RecoveryName(place_.recoveryDevice));
        recovery_.reset();
    }
}

std::shared_ptr<SimPlayerPort> SimPlugPlayer(SimMachine& machine, std::shared_ptr<SimFlashPlayer> player,
                                             const SimPlayerPlace& place) {
    auto port = std::make_shared<SimPlayerPort>(machine, std::move(player), place);
    port->Show();
    return port;
}
