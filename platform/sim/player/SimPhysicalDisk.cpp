#include "platform/sim/player/SimPhysicalDisk.h"

#include <algorithm>
#include <vector>

#include "platform/sim/player/SimDiskLayout.h"
#include "platform/sim/player/SimPassThrough.h"
#include "platform/sim/player/SimPlayer.h"

namespace {

const DWORD kDataAccess = GENERIC_READ | GENERIC_WRITE;

}  // namespace

struct SimPhysicalDisk::State {
    State(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims)
        : player(std::move(player)), claims(std::move(claims)) {}
    bool Present() const { return !withdrawn && player->Connected(); }

    const std::shared_ptr<SimPlayer> player;
    const std::shared_ptr<SimMediumClaims> claims;
    mutable std::mutex mutex;
    SimShareState sharing;
    unsigned dataHandles = 0;
    const void* lockedBy = nullptr;
    bool withdrawn = false;
    SimVolumeRequests requests;
};

class SimPhysicalDisk::Handle final : public SimFileObject {
public:
    Handle(std::shared_ptr<State> state, const SimOpenRequest& request)
        : state_(std::move(state)), access_(request.access), share_(request.share) {}

    ~Handle() override {
        std::lock_guard<std::mutex> lock(state_->mutex);
        if (access_ & kDataAccess) {
            state_->sharing.Leave(access_, share_);
            --state_->dataHandles;
            state_->claims->Leave(SimMediumClaims::kDisk);
        }
        if (state_->lockedBy == this) {
            state_->lockedBy = nullptr;
            state_->claims->Unlock(SimMediumClaims::kDisk);
        }
        ++state_->requests.closes;
    }

    DWORD ReadAt(uint64_t offset, void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        uint64_t first = 0, count = 0, sectors = 0;
        DWORD error = Sectors(offset, size, &SimVolumeRequests::sectorReads, first, count, sectors);
        if (error != ERROR_SUCCESS) return error;
        // Past the end a read comes back short, or empty.
        count = first >= sectors ? 0 : std::min(count, sectors - first);
        if (count == 0) return ERROR_SUCCESS;
        error = state_->player->ReadMedium(first, static_cast<uint32_t>(count), static_cast<BYTE*>(buffer));
        if (error != ERROR_SUCCESS) return error;
        done = static_cast<DWORD>(count * state_->player->MediumSectorSize());
        return ERROR_SUCCESS;
    }

    DWORD WriteAt(uint64_t offset, const void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        uint64_t first = 0, count = 0, sectors = 0;
        DWORD error = Sectors(offset, size, &SimVolumeRequests::sectorWrites, first, count, sectors);
        if (error != ERROR_SUCCESS || count == 0) return error;
        if (first + count > sectors) return ERROR_INVALID_PARAMETER;
        error = state_->player->WriteMedium(first, static_cast<uint32_t>(count), static_cast<const BYTE*>(buffer));
        if (error == ERROR_SUCCESS) done = size;
        return error;
    }

    uint64_t Size() override { return state_->player->MediumSectorCount() * state_->player->MediumSectorSize(); }

    DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) override {
        returned = 0;
        std::unique_lock<std::mutex> lock(state_->mutex);
        if (!state_->Present()) return ERROR_DEVICE_NOT_CONNECTED;
        SimVolumeRequests& requests = state_->requests;
        switch (code) {
        case kSimScsiPassThrough:
            if ((access_ & kDataAccess) != kDataAccess) return ERROR_ACCESS_DENIED;
            ++requests.passThroughs;
            lock.unlock();
            return SimRunPassThrough(*state_->player, in, inSize, out, outSize, returned);
        case kSimLockVolume:
            ++requests.lockAttempts;
            if (state_->lockedBy || !(access_ & kDataAccess) || state_->dataHandles > 1 ||
                state_->claims->Lock(SimMediumClaims::kDisk) != ERROR_SUCCESS) {
                return ERROR_ACCESS_DENIED;
            }
            state_->lockedBy = this;
            ++requests.locks;
            return ERROR_SUCCESS;
        case kSimUnlockVolume:
            ++requests.unlockAttempts;
            if (state_->lockedBy != this) return ERROR_NOT_LOCKED;
            state_->lockedBy = nullptr;
            state_->claims->Unlock(SimMediumClaims::kDisk);
            return ERROR_SUCCESS;
        case kSimDismountVolume:
            ++requests.dismounts;  // a raw disk has no file system to let go of
            return ERROR_SUCCESS;
        case kSimGetDriveGeometry:
            lock.unlock();
            return Answer(Geometry(), out, outSize, returned);
        case kSimGetDriveLayout: {
            lock.unlock();
            std::vector<BYTE> sector0;
            DWORD error = ReadSector0(sector0);
            if (error != ERROR_SUCCESS) return error;
            return Answer(SimDriveLayoutRecord(sector0, state_->player->MediumSectorSize()), out, outSize, returned);
        }
        case kSimSetDriveLayout:
            if (!(access_ & GENERIC_WRITE)) return ERROR_ACCESS_DENIED;
            lock.unlock();
            return SetLayout(static_cast<const BYTE*>(in), inSize);
        default:
            return ERROR_INVALID_FUNCTION;
        }
    }

private:
    std::vector<BYTE> Geometry() const {
        SimPlayer& player = *state_->player;
        return SimDiskGeometry(player.MediumSectorCount(), player.MediumSectorSize()).Record();
    }

    static DWORD Answer(const std::vector<BYTE>& record, void* out, DWORD outSize, DWORD& returned) {
        if (!out || outSize < record.size()) return ERROR_INSUFFICIENT_BUFFER;
        std::copy(record.begin(), record.end(), static_cast<BYTE*>(out));
        returned = static_cast<DWORD>(record.size());
        return ERROR_SUCCESS;
    }

    DWORD ReadSector0(std::vector<BYTE>& sector0) const {
        SimPlayer& player = *state_->player;
        if (player.MediumSectorCount() == 0) return ERROR_NOT_READY;
        sector0.assign(player.MediumSectorSize(), 0);
        return player.ReadMedium(0, 1, sector0.data());
    }

    DWORD SetLayout(const BYTE* record, DWORD size) {
        std::vector<BYTE> sector0;
        DWORD error = ReadSector0(sector0);
        if (error != ERROR_SUCCESS) return error;
        SimPlayer& player = *state_->player;
        error = SimApplyDriveLayout(record, size, player.MediumSectorCount(), player.MediumSectorSize(), sector0);
        return error == ERROR_SUCCESS ? player.WriteMedium(0, 1, sector0.data()) : error;
    }

    // Checks a transfer and counts it; `count` is the sectors asked for.
    DWORD Sectors(uint64_t offset, DWORD size, unsigned SimVolumeRequests::*counter, uint64_t& first,
                  uint64_t& count, uint64_t& sectors) {
        {
            std::lock_guard<std::mutex> lock(state_->mutex);
            if (!state_->Present()) return ERROR_DEVICE_NOT_CONNECTED;
            ++(state_->requests.*counter);
        }
        const uint32_t sectorSize = state_->player->MediumSectorSize();
        sectors = state_->player->MediumSectorCount();
        if (sectors == 0) return ERROR_NOT_READY;
        if (offset % sectorSize != 0 || size % sectorSize != 0) return ERROR_INVALID_PARAMETER;
        first = offset / sectorSize;
        count = size / sectorSize;
        return ERROR_SUCCESS;
    }

    std::shared_ptr<State> state_;
    const DWORD access_;
    const DWORD share_;
};

SimPhysicalDisk::SimPhysicalDisk(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims)
    : state_(std::make_shared<State>(std::move(player), std::move(claims))) {}

SimPhysicalDisk::~SimPhysicalDisk() = default;

DWORD SimPhysicalDisk::Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (!state_->Present()) return ERROR_FILE_NOT_FOUND;
    if (request.access & kDataAccess) {
        if (state_->lockedBy) return ERROR_ACCESS_DENIED;
        DWORD error = state_->sharing.Admit(request.access, request.share);
        if (error != ERROR_SUCCESS) return error;
        error = state_->claims->Admit(SimMediumClaims::kDisk);
        if (error != ERROR_SUCCESS) {
            state_->sharing.Leave(request.access, request.share);
            return error;
        }
        ++state_->dataHandles;
    }
    ++state_->requests.opens;
    file = std::make_shared<Handle>(state_, request);
    return ERROR_SUCCESS;
}

SimVolumeRequests SimPhysicalDisk::Requests() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->requests;
}

bool SimPhysicalDisk::Locked() const {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->lockedBy != nullptr;
}

void SimPhysicalDisk::Withdraw() {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->withdrawn = true;
}
