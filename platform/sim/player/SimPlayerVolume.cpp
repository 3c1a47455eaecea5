#include "platform/sim/player/SimPlayerVolume.h"

#include <algorithm>
#include <mutex>

#include "platform/sim/SimSharing.h"
#include "platform/sim/player/SimPassThrough.h"
#include "platform/sim/player/SimPlayer.h"

namespace {

const DWORD kDataAccess = GENERIC_READ | GENERIC_WRITE;

}  // namespace

struct SimPlayerVolume::State {
    State(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims)
        : player(std::move(player)), claims(std::move(claims)) {}
    bool Present() const { return !pulledOut && player->Connected(); }

    const std::shared_ptr<SimPlayer> player;
    const std::shared_ptr<SimMediumClaims> claims;
    mutable std::mutex mutex;
    SimShareState sharing;      // of the handles with data access
    unsigned volumeHandles = 0;  // those handles
    unsigned openFiles = 0;      // files open on the drive letter
    const void* lockedBy = nullptr;
    bool refuseLock = false;
    bool pulledOut = false;
    uint64_t mount = 0;  // counts the dismounts
    SimVolumeRequests requests;
};

class SimPlayerVolume::Handle final : public SimFileObject {
public:
    Handle(std::shared_ptr<State> state, const SimVolumeExtent& extent, const SimOpenRequest& request)
        : state_(std::move(state)), extent_(extent), access_(request.access), share_(request.share) {}

    ~Handle() override {
        std::lock_guard<std::mutex> lock(state_->mutex);
        if (HasDataAccess()) {
            state_->sharing.Leave(access_, share_);
            --state_->volumeHandles;
            state_->claims->Leave(SimMediumClaims::kVolume);
        }
        if (state_->lockedBy == this) {
            state_->lockedBy = nullptr;
            state_->claims->Unlock(SimMediumClaims::kVolume);
        }
        ++state_->requests.closes;
    }

    DWORD ReadAt(uint64_t offset, void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        uint64_t first = 0, count = 0;
        DWORD error = Sectors(offset, size, &SimVolumeRequests::sectorReads, first, count);
        if (error != ERROR_SUCCESS || count == 0) return error;
        // Past the end a read comes back short, or empty.
        count = first >= extent_.sectorCount ? 0 : std::min(count, extent_.sectorCount - first);
        if (count == 0) return ERROR_SUCCESS;
        error = state_->player->ReadMedium(extent_.firstSector + first, static_cast<uint32_t>(count),
                                           static_cast<BYTE*>(buffer));
        if (error != ERROR_SUCCESS) return Failure(error);
        done = static_cast<DWORD>(count * state_->player->MediumSectorSize());
        return ERROR_SUCCESS;
    }

    DWORD WriteAt(uint64_t offset, const void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        uint64_t first = 0, count = 0;
        DWORD error = Sectors(offset, size, &SimVolumeRequests::sectorWrites, first, count);
        if (error != ERROR_SUCCESS || count == 0) return error;
        if (first + count > extent_.sectorCount) return ERROR_INVALID_PARAMETER;  // nothing of it is written
        error = state_->player->WriteMedium(extent_.firstSector + first, static_cast<uint32_t>(count),
                                            static_cast<const BYTE*>(buffer));
        if (error != ERROR_SUCCESS) return Failure(error);
        done = size;
        return ERROR_SUCCESS;
    }

    uint64_t Size() override { return extent_.sectorCount * state_->player->MediumSectorSize(); }

    DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) override {
        returned = 0;
        std::unique_lock<std::mutex> lock(state_->mutex);
        if (!state_->Present()) return ERROR_DEVICE_NOT_CONNECTED;
        SimVolumeRequests& requests = state_->requests;
        switch (code) {
        case kSimScsiPassThrough:
            // The control code asks for read and write access.
            if ((access_ & kDataAccess) != kDataAccess) return ERROR_ACCESS_DENIED;
            ++requests.passThroughs;
            lock.unlock();  // a slow command must not hold the volume up
            return SimRunPassThrough(*state_->player, in, inSize, out, outSize, returned);
        case kSimLockVolume:
            ++requests.lockAttempts;
            if (state_->refuseLock || state_->lockedBy || !HasDataAccess() || state_->volumeHandles > 1 ||
                state_->openFiles > 0 || state_->claims->Lock(SimMediumClaims::kVolume) != ERROR_SUCCESS) {
                return ERROR_ACCESS_DENIED;
            }
            state_->lockedBy = this;
            ++requests.locks;
            return ERROR_SUCCESS;
        case kSimUnlockVolume:
            ++requests.unlockAttempts;
            if (state_->lockedBy != this) return ERROR_NOT_LOCKED;
            state_->lockedBy = nullptr;
            state_->claims->Unlock(SimMediumClaims::kVolume);
            return ERROR_SUCCESS;
        case kSimDismountVolume:
            // The file system lets go of the volume: its open files are dead,
            // the next file access mounts it afresh.
            ++requests.dismounts;
            ++state_->mount;
            state_->openFiles = 0;
            return ERROR_SUCCESS;
        default:
            return ERROR_INVALID_FUNCTION;
        }
    }

private:
    bool HasDataAccess() const { return (access_ & kDataAccess) != 0; }

    // Checks a transfer and counts it; `count` is the sectors asked for.
    DWORD Sectors(uint64_t offset, DWORD size, unsigned SimVolumeRequests::*counter, uint64_t& first, uint64_t& count) {
        {
            std::lock_guard<std::mutex> lock(state_->mutex);
            if (!state_->Present()) return ERROR_DEVICE_NOT_CONNECTED;
            ++(state_->requests.*counter);
        }
        uint32_t sectorSize = state_->player->MediumSectorSize();
        if (extent_.sectorCount == 0) return ERROR_NOT_READY;  // no medium
        if (offset % sectorSize != 0 || size % sectorSize != 0) return ERROR_INVALID_PARAMETER;
        first = offset / sectorSize;
        count = size / sectorSize;
        return ERROR_SUCCESS;
    }

    // A medium error, unless the player went away during the transfer.
    DWORD Failure(DWORD error) const {
        std::lock_guard<std::mutex> lock(state_->mutex);
        return state_->Present() ? error : static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED);
    }

    std::shared_ptr<State> state_;
    const SimVolumeExtent extent_;
    const DWORD access_;
    const DWORD share_;
};

SimPlayerVolume::SimPlayerVolume(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims)
    : state_(std::make_shared<State>(std::move(player), std::move(claims))) {}

SimPlayerVolume::~SimPlayerVolume() = default;

DWORD SimPlayerVolume::Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) {
    // A player gone is a device gone: its name no longer resolves.
    if (!state_->Present()) return ERROR_FILE_NOT_FOUND;
    // A removable drive opens without a medium; its transfers then fail.
    SimVolumeExtent extent;
    DWORD error = SimFindVolume(*state_->player, extent);
    if (error != ERROR_SUCCESS && error != ERROR_NOT_READY) return error;
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (request.access & kDataAccess) {
        if (state_->lockedBy) return ERROR_ACCESS_DENIED;
        error = state_->sharing.Admit(request.access, request.share);
        if (error != ERROR_SUCCESS) return error;
        error = state_->claims->Admit(SimMediumClaims::kVolume);
        if (error != ERROR_SUCCESS) {
            state_->sharing.Leave(request.access, request.share);
            return error;
        }
        ++state_->volumeHandles;
    }
    ++state_->requests.opens;
    file = std::make_shared<Handle>(state_, extent, request);
    return ERROR_SUCCESS;
}

SimVolumeRequests SimPlayerVolume::Requests() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->requests;
}

bool SimPlayerVolume::Locked() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->lockedBy != nullptr;
}

void SimPlayerVolume::RefuseLock(bool refuse) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->refuseLock = refuse;
}

void SimPlayerVolume::PullOut() {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->pulledOut = true;
}

DWORD SimPlayerVolume::Access(const std::function<DWORD(SimFat&)>& access, const uint64_t* openedAt,
                              uint64_t* opening) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    // A file open when the player went is cut off; a letter still mapped to
    // a player that is gone has no medium behind it.
    if (!state_->Present()) return openedAt ? ERROR_DEVICE_NOT_CONNECTED : ERROR_NOT_READY;
    if (openedAt && *openedAt != state_->mount) return ERROR_NOT_READY;
    if (state_->lockedBy) return ERROR_ACCESS_DENIED;
    SimVolumeExtent extent;
    DWORD error = SimFindVolume(*state_->player, extent);
    if (error != ERROR_SUCCESS) return error;
    SimFat fat(*state_->player, extent);
    error = fat.Mount();
    if (error == ERROR_SUCCESS) error = access(fat);
    if (error == ERROR_SUCCESS && opening) {
        ++state_->openFiles;
        *opening = state_->mount;
    }
    return error;
}

DWORD SimPlayerVolume::AccessFiles(const std::function<DWORD(SimFat&)>& access) {
    return Access(access, nullptr, nullptr);
}

DWORD SimPlayerVolume::OpenFile(const std::function<DWORD(SimFat&)>& access, uint64_t& mount) {
    return Access(access, nullptr, &mount);
}

DWORD SimPlayerVolume::AccessOpenFile(uint64_t mount, const std::function<DWORD(SimFat&)>& access) {
    return Access(access, &mount, nullptr);
}

void SimPlayerVolume::CloseFile(uint64_t mount) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (mount == state_->mount && state_->openFiles > 0) --state_->openFiles;
}
