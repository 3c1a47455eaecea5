#include "platform/sim/player/SimRawMedium.h"

#include <algorithm>

#include "platform/sim/player/SimPassThrough.h"
#include "platform/sim/player/SimPlayer.h"
#include "platform/sim/player/SimStorageProperty.h"

namespace {

const DWORD kDataAccess = GENERIC_READ | GENERIC_WRITE;

}  // namespace

class SimRawMedium::Handle final : public SimFileObject {
public:
    Handle(std::shared_ptr<SimRawMedium> medium, std::optional<SimVolumeExtent> extent, const SimOpenRequest& request)
        : medium_(std::move(medium)), extent_(extent), access_(request.access), share_(request.share) {}

    ~Handle() override {
        SimRawMedium& medium = *medium_;
        std::lock_guard<std::mutex> lock(medium.mutex_);
        if (HasDataAccess()) {
            medium.sharing_.Leave(access_, share_);
            --medium.dataHandles_;
            medium.claims_->Leave(medium.side_);
        }
        if (medium.lockedBy_ == this) {
            medium.lockedBy_ = nullptr;
            medium.claims_->Unlock(medium.side_);
        }
        ++medium.requests_.closes;
    }

    DWORD ReadAt(uint64_t offset, void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        uint64_t first = 0, count = 0;
        SimVolumeExtent extent;
        DWORD error = Sectors(offset, size, &SimVolumeRequests::sectorReads, extent, first, count);
        if (error != ERROR_SUCCESS || count == 0) return error;
        // Past the end a read comes back short, or empty.
        count = first >= extent.sectorCount ? 0 : std::min(count, extent.sectorCount - first);
        if (count == 0) return ERROR_SUCCESS;
        SimPlayer& player = *medium_->player_;
        error = player.ReadMedium(extent.firstSector + first, static_cast<uint32_t>(count), static_cast<BYTE*>(buffer));
        if (error != ERROR_SUCCESS) return Failure(error);
        done = static_cast<DWORD>(count * player.MediumSectorSize());
        return ERROR_SUCCESS;
    }

    DWORD WriteAt(uint64_t offset, const void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        uint64_t first = 0, count = 0;
        SimVolumeExtent extent;
        DWORD error = Sectors(offset, size, &SimVolumeRequests::sectorWrites, extent, first, count);
        if (error != ERROR_SUCCESS || count == 0) return error;
        if (first + count > extent.sectorCount) return ERROR_INVALID_PARAMETER;  // nothing of it is written
        error = medium_->player_->WriteMedium(extent.firstSector + first, static_cast<uint32_t>(count),
                                              static_cast<const BYTE*>(buffer));
        if (error != ERROR_SUCCESS) return Failure(error);
        done = size;
        return ERROR_SUCCESS;
    }

    uint64_t Size() override { return Extent().sectorCount * medium_->player_->MediumSectorSize(); }

    DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) override {
        returned = 0;
        SimRawMedium& medium = *medium_;
        std::unique_lock<std::mutex> lock(medium.mutex_);
        if (!medium.Present()) return ERROR_DEVICE_NOT_CONNECTED;
        SimVolumeRequests& requests = medium.requests_;
        switch (code) {
        case kSimScsiPassThrough:
            // The control code asks for read and write access.
            if ((access_ & kDataAccess) != kDataAccess) return ERROR_ACCESS_DENIED;
            ++requests.passThroughs;
            lock.unlock();  // a slow command must not hold the device up
            return SimRunPassThrough(*medium.player_, in, inSize, out, outSize, returned);
        case kSimStorageQueryProperty:
            // Any handle may ask, one opened without data access too.
            lock.unlock();
            return SimAnswerStorageQuery(*medium.player_, in, inSize, out, outSize, returned);
        case kSimLockVolume:
            ++requests.lockAttempts;
            if (medium.lockedBy_ || !HasDataAccess() || medium.dataHandles_ > 1 || medium.RefusesLock() ||
                medium.claims_->Lock(medium.side_) != ERROR_SUCCESS) {
                return ERROR_ACCESS_DENIED;
            }
            medium.lockedBy_ = this;
            ++requests.locks;
            return ERROR_SUCCESS;
        case kSimUnlockVolume:
            ++requests.unlockAttempts;
            if (medium.lockedBy_ != this) return ERROR_NOT_LOCKED;
            medium.lockedBy_ = nullptr;
            medium.claims_->Unlock(medium.side_);
            return ERROR_SUCCESS;
        case kSimDismountVolume:
            ++requests.dismounts;
            medium.Dismounted();
            return ERROR_SUCCESS;
        default:
            lock.unlock();
            return medium.Control(code, access_, in, inSize, out, outSize, returned);
        }
    }

private:
    bool HasDataAccess() const { return (access_ & kDataAccess) != 0; }

    SimVolumeExtent Extent() const {
        if (extent_) return *extent_;
        SimVolumeExtent whole;
        whole.sectorCount = medium_->player_->MediumSectorCount();
        return whole;
    }

    // Checks a transfer and counts it; `count` is the sectors asked for.
    DWORD Sectors(uint64_t offset, DWORD size, unsigned SimVolumeRequests::*counter, SimVolumeExtent& extent,
                  uint64_t& first, uint64_t& count) {
        {
            std::lock_guard<std::mutex> lock(medium_->mutex_);
            if (!medium_->Present()) return ERROR_DEVICE_NOT_CONNECTED;
            ++(medium_->requests_.*counter);
        }
        const uint32_t sectorSize = medium_->player_->MediumSectorSize();
        extent = Extent();
        if (extent.sectorCount == 0) return ERROR_NOT_READY;  // no medium
        if (offset % sectorSize != 0 || size % sectorSize != 0) return ERROR_INVALID_PARAMETER;
        first = offset / sectorSize;
        count = size / sectorSize;
        return ERROR_SUCCESS;
    }

    // A medium error, unless the player went away during the transfer.
    DWORD Failure(DWORD error) const {
        std::lock_guard<std::mutex> lock(medium_->mutex_);
        return medium_->Present() ? error : static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED);
    }

    const std::shared_ptr<SimRawMedium> medium_;
    const std::optional<SimVolumeExtent> extent_;
    const DWORD access_;
    const DWORD share_;
};

SimRawMedium::SimRawMedium(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims,
                           SimMediumClaims::Side side)
    : player_(std::move(player)), claims_(std::move(claims)), side_(side) {}

SimRawMedium::~SimRawMedium() = default;

DWORD SimRawMedium::Open(const SimOpenRequest& request, std::optional<SimVolumeExtent> extent,
                         std::shared_ptr<SimFileObject>& file) {
    std::lock_guard<std::mutex> lock(mutex_);
    // A device gone: its name no longer resolves.
    if (!Present()) return ERROR_FILE_NOT_FOUND;
    if (request.access & kDataAccess) {
        if (lockedBy_) return ERROR_ACCESS_DENIED;
        DWORD error = sharing_.Admit(request.access, request.share);
        if (error != ERROR_SUCCESS) return error;
        error = claims_->Admit(side_);
        if (error != ERROR_SUCCESS) {
            sharing_.Leave(request.access, request.share);
            return error;
        }
        ++dataHandles_;
    }
    ++requests_.opens;
    file = std::make_shared<Handle>(shared_from_this(), extent, request);
    return ERROR_SUCCESS;
}

SimVolumeRequests SimRawMedium::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

bool SimRawMedium::Locked() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lockedBy_ != nullptr;
}

void SimRawMedium::Withdraw() {
    std::lock_guard<std::mutex> lock(mutex_);
    withdrawn_ = true;
}

bool SimRawMedium::Present() const { return !withdrawn_ && player_->Connected(); }

DWORD SimRawMedium::Control(DWORD, DWORD, const void*, DWORD, void*, DWORD, DWORD&) {
    return ERROR_INVALID_FUNCTION;
}
