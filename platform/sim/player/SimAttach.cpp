#include "platform/sim/player/SimAttach.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/player/SimPhysicalDisk.h"
#include "platform/sim/player/SimPlayer.h"
#include "platform/sim/player/SimPlayerDrive.h"
#include "platform/sim/player/SimSense.h"
#include "platform/sim/player/SimStorageProperty.h"

namespace {

const BYTE kInquiry = 0x12;
const size_t kInquiryLength = 36;

std::wstring VolumeName(wchar_t letter) { return std::wstring(1, letter) + L":"; }

class OtherDisk final : public SimPlayer {
public:
    OtherDisk(const std::string& vendor, const std::string& product) {
        inquiry_[0] = 0x00;  // a direct-access unit
        inquiry_[1] = 0x80;  // with a removable medium
        inquiry_[2] = 0x02;
        inquiry_[3] = 0x02;
        inquiry_[4] = kInquiryLength - 5;
        std::memset(inquiry_ + 8, ' ', 24);
        std::memcpy(inquiry_ + 8, vendor.data(), std::min<size_t>(vendor.size(), 8));
        std::memcpy(inquiry_ + 16, product.data(), std::min<size_t>(product.size(), 16));
    }

    SimScsiStatus Execute(const BYTE* cdb, size_t cdbLength, const BYTE*, size_t, BYTE* dataIn,
                          size_t dataInCapacity) override {
        SimScsiStatus status;
        if (cdbLength < 6 || cdb[0] != kInquiry) {
            status.status = SimScsiStatus::kCheckCondition;
            status.sense = SimSense::InvalidOperationCode().Bytes();
            return status;
        }
        status.dataIn = static_cast<DWORD>(std::min({kInquiryLength, dataInCapacity, size_t(cdb[4])}));
        if (status.dataIn) std::memcpy(dataIn, inquiry_, status.dataIn);
        return status;
    }
    bool Connected() const override { return true; }
    uint32_t MediumSectorSize() const override { return 512; }
    uint64_t MediumSectorCount() const override { return 0; }
    DWORD ReadMedium(uint64_t, uint32_t, BYTE*) override { return ERROR_NOT_READY; }
    DWORD WriteMedium(uint64_t, uint32_t, const BYTE*) override { return ERROR_NOT_READY; }

private:
    BYTE inquiry_[kInquiryLength] = {};
};

}  // namespace

std::shared_ptr<SimPlayerVolume> SimAttachPlayer(SimMachine& machine, wchar_t letter, std::shared_ptr<SimPlayer> player,
                                                 UINT type) {
    // Windows 9x asks the disk who it is when it arrives; the others wait
    // until a program asks.
    SimDiskIdentity identity;
    if (machine.RunsWindows9x() && SimInquireIdentity(*player, identity)) machine.AnnounceDisk(letter, identity);
    auto volume = std::make_shared<SimPlayerVolume>(std::move(player));
    machine.MapDrive(letter, std::make_shared<SimPlayerDrive>(volume, type, machine.Clock()));
    machine.RegisterDevice(VolumeName(letter), volume);
    return volume;
}

void SimPullOutPlayer(SimMachine& machine, wchar_t letter) {
    if (auto drive = std::dynamic_pointer_cast<SimPlayerDrive>(machine.Drive(letter))) drive->Volume()->PullOut();
    machine.UnmapDrive(letter);
    machine.UnregisterDevice(VolumeName(letter));
    machine.WithdrawDisk(letter);
}

std::shared_ptr<SimPlayer> SimMakeOtherDisk(const std::string& vendor, const std::string& product) {
    return std::make_shared<OtherDisk>(vendor, product);
}

std::shared_ptr<SimPhysicalDisk> SimAttachSystemDisk(SimMachine& machine, unsigned number) {
    auto disk = std::make_shared<SimPhysicalDisk>(SimMakeOtherDisk("Pellam  ", "PX80 Fixed Disk"),
                                                  std::make_shared<SimMediumClaims>());
    machine.RegisterDevice(L"PhysicalDrive" + std::to_wstring(number), disk);
    return disk;
}

DWORD SimClosedVolume::Open(const SimOpenRequest&, std::shared_ptr<SimFileObject>&) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++attempts_;
    return error_;
}

unsigned SimClosedVolume::Attempts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return attempts_;
}

std::shared_ptr<SimClosedVolume> SimAttachClosedDrive(SimMachine& machine, wchar_t letter, DWORD error) {
    machine.MapFolder(letter, DRIVE_REMOVABLE, std::filesystem::path());  // a drive without a medium
    auto volume = std::make_shared<SimClosedVolume>(error);
    machine.RegisterDevice(VolumeName(letter), volume);
    return volume;
}

std::shared_ptr<SimClosedVolume> SimAttachFloppy(SimMachine& machine) {
    return SimAttachClosedDrive(machine, L'A', ERROR_NOT_READY);
}
