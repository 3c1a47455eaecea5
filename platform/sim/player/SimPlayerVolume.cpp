#include "platform/sim/player/SimPlayerVolume.h"

#include "platform/sim/player/SimPlayer.h"

struct SimPlayerVolume::State final : SimRawMedium {
    State(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims)
        : SimRawMedium(std::move(player), std::move(claims), SimMediumClaims::kVolume) {}

    DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) {
        {
            // A player gone is a device gone: its name no longer resolves.
            std::lock_guard<std::mutex> lock(Mutex());
            if (!Present()) return ERROR_FILE_NOT_FOUND;
        }
        // A removable drive opens without a medium; its transfers then fail.
        SimVolumeExtent extent;
        DWORD error = SimFindVolume(Player(), extent);
        if (error != ERROR_SUCCESS && error != ERROR_NOT_READY) return error;
        return SimRawMedium::Open(request, extent, file);
    }

    void RefuseLock(bool refuse) {
        std::lock_guard<std::mutex> lock(Mutex());
        refuseLock = refuse;
    }

    DWORD Access(const std::function<DWORD(SimFat&)>& access, const uint64_t* openedAt, uint64_t* opening) {
        std::lock_guard<std::mutex> lock(Mutex());
        // A file open when the player went is cut off; a letter still mapped to
        // a player that is gone has no medium behind it.
        if (!Present()) return openedAt ? ERROR_DEVICE_NOT_CONNECTED : ERROR_NOT_READY;
        if (openedAt && *openedAt != mount) return ERROR_NOT_READY;
        if (LockTaken()) return ERROR_ACCESS_DENIED;
        SimVolumeExtent extent;
        DWORD error = SimFindVolume(Player(), extent);
        if (error != ERROR_SUCCESS) return error;
        SimFat fat(Player(), extent);
        error = fat.Mount();
        if (error == ERROR_SUCCESS) error = access(fat);
        if (error == ERROR_SUCCESS && opening) {
            ++openFiles;
            *opening = mount;
        }
        return error;
    }

    void CloseFile(uint64_t openedAt) {
        std::lock_guard<std::mutex> lock(Mutex());
        if (openedAt == mount && openFiles > 0) --openFiles;
    }

private:
    bool RefusesLock() const override { return refuseLock || openFiles > 0; }

    // The file system lets go of the volume: its open files are dead, the
    // next file access mounts it afresh.
    void Dismounted() override {
        ++mount;
        openFiles = 0;
    }

    unsigned openFiles = 0;  // files open on the drive letter
    bool refuseLock = false;
    uint64_t mount = 0;  // counts the dismounts
};

SimPlayerVolume::SimPlayerVolume(std::shared_ptr<SimPlayer> player, std::shared_ptr<SimMediumClaims> claims)
    : state_(std::make_shared<State>(std::move(player), std::move(claims))) {}

SimPlayerVolume::~SimPlayerVolume() = default;

DWORD SimPlayerVolume::Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) {
    return state_->Open(request, file);
}

SimVolumeRequests SimPlayerVolume::Requests() const { return state_->Requests(); }

bool SimPlayerVolume::Locked() const { return state_->Locked(); }

void SimPlayerVolume::RefuseLock(bool refuse) { state_->RefuseLock(refuse); }

void SimPlayerVolume::PullOut() { state_->Withdraw(); }

DWORD SimPlayerVolume::AccessFiles(const std::function<DWORD(SimFat&)>& access) {
    return state_->Access(access, nullptr, nullptr);
}

DWORD SimPlayerVolume::OpenFile(const std::function<DWORD(SimFat&)>& access, uint64_t& mount) {
    return state_->Access(access, nullptr, &mount);
}

DWORD SimPlayerVolume::AccessOpenFile(uint64_t mount, const std::function<DWORD(SimFat&)>& access) {
    return state_->Access(access, &mount, nullptr);
}

void SimPlayerVolume::CloseFile(uint64_t mount) { state_->CloseFile(mount); }
