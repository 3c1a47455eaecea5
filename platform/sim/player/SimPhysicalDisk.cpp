#include "platform/sim/player/SimPhysicalDisk.h"

#include <algorithm>
#include <vector>

#include "platform/sim/player/SimDiskLayout.h"
#include "platform/sim/player/SimPlayer.h"

namespace {

DWORD Answer(const std::vector<BYTE>& record, void* out, DWORD outSize, DWORD& returned) {
    if (!out || outSize < record.size()) return ERROR_INSUFFICIENT_BUFFER;
    std::copy(record.begin(), record.end(), static_cast<BYTE*>(out));
    returned = static_cast<DWORD>(record.size());
    return ERROR_SUCCESS;
}

DWORD ReadSector0(SimPlayer& player, std::vector<BYTE>& sector0) {
    if (player.MediumSectorCount() == 0) return ERROR_NOT_READY;
    sector0.assign(player.MediumSectorSize(), 0);
    return player.ReadMedium(0, 1, sector0.data());
}

DWORD SetLayout(SimPlayer& player, const BYTE* record, DWORD size) {
    std::vector<BYTE> sector0;
    DWORD error = ReadSector0(player, sector0);
    if (error != ERROR_SUCCESS) return error;
    error = SimApplyDriveLayout(record, size, player.MediumSectorCount(), player.MediumSectorSize(), sector0);
    return error == ERROR_SUCCESS ? player.WriteMedium(0, 1, sector0.data()) : error;
}

}  // namespace

// A raw disk has no file system to let go of at a dismount; it answers the
// geometry and layout requests a volume does not.
struct SimPhysicalDisk::State final : SimRawMedium {
    State(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims)
        : SimRawMedium(std::move(player), std::move(claims), SimMediumClaims::kDisk) {}

private:
    DWORD Control(DWORD code, DWORD access, const void* in, DWORD inSize, void* out, DWORD outSize,
                  DWORD& returned) override {
        SimPlayer& player = Player();
        switch (code) {
        case kSimGetDriveGeometry:
            return Answer(SimDiskGeometry(player.MediumSectorCount(), player.MediumSectorSize()).Record(), out,
                          outSize, returned);
        case kSimGetDriveLayout: {
            std::vector<BYTE> sector0;
            DWORD error = ReadSector0(player, sector0);
            if (error != ERROR_SUCCESS) return error;
            return Answer(SimDriveLayoutRecord(sector0, player.MediumSectorSize()), out, outSize, returned);
        }
        case kSimSetDriveLayout:
            if (!(access & GENERIC_WRITE)) return ERROR_ACCESS_DENIED;
            return SetLayout(player, static_cast<const BYTE*>(in), inSize);
        default:
            return ERROR_INVALID_FUNCTION;
        }
    }
};

SimPhysicalDisk::SimPhysicalDisk(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims)
    : state_(std::make_shared<State>(std::move(player), std::move(claims))) {}

SimPhysicalDisk::~SimPhysicalDisk() = default;

// The whole medium, however large it is at each transfer.
DWORD SimPhysicalDisk::Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) {
    return state_->Open(request, std::nullopt, file);
}

SimVolumeRequests SimPhysicalDisk::Requests() const { return state_->Requests(); }

bool SimPhysicalDisk::Locked() const { return state_->Locked(); }

void SimPhysicalDisk::Withdraw() { state_->Withdraw(); }
