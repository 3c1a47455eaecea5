#include "platform/sim/player/SimPlayerDrive.h"

namespace {

const BYTE kKeptAttributes = SimFat::kReadOnly | SimFat::kHidden | SimFat::kSystem | SimFat::kArchive;

DWORD Win32Attributes(BYTE attributes) {
    DWORD kept = attributes & (kKeptAttributes | SimFat::kDirectory);
    return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

uint64_t EntryKey(const SimFatEntry& entry) { return uint64_t(entry.directory) << 32 | entry.index; }

}  // namespace

std::shared_ptr<SimShareState> SimPlayerDrive::Opens::Of(const SimFatEntry& entry) {
    std::weak_ptr<SimShareState>& slot = byEntry[EntryKey(entry)];
    std::shared_ptr<SimShareState> sharing = slot.lock();
    if (!sharing) slot = sharing = std::make_shared<SimShareState>();
    return sharing;
}

// An open file: it finds its entry again for every transfer, on the file
// system as the volume has it then.
class SimPlayerDrive::File final : public SimFileObject {
public:
    File(const SimPlayerDrive& drive, const std::vector<std::wstring>& parts, const SimOpenRequest& request,
         std::shared_ptr<SimShareState> sharing, uint64_t mount)
        : volume_(drive.volume_), opens_(drive.opens_), clock_(drive.clock_), parts_(parts),
          access_(request.access), share_(request.share), sharing_(std::move(sharing)), mount_(mount) {}

    ~File() override {
        bool removeNow = false;
        {
            std::lock_guard<std::mutex> lock(opens_->mutex);
            removeNow = sharing_->Leave(access_, share_) && sharing_->DeletePending();
        }
        volume_->CloseFile(mount_);
        if (!removeNow) return;
        volume_->AccessFiles([&](SimFat& fat) {
            SimFatEntry entry;
            DWORD error = fat.Find(parts_, entry);
            return error == ERROR_SUCCESS ? fat.Remove(entry) : error;
        });
    }

    DWORD ReadAt(uint64_t offset, void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        return volume_->AccessOpenFile(mount_, [&](SimFat& fat) {
            SimFatEntry entry;
            DWORD error = fat.Find(parts_, entry);
            return error == ERROR_SUCCESS ? fat.Read(entry, offset, buffer, size, done) : error;
        });
    }

    DWORD WriteAt(uint64_t offset, const void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        DWORD error = volume_->AccessOpenFile(mount_, [&](SimFat& fat) {
            SimFatEntry entry;
            DWORD found = fat.Find(parts_, entry);
            return found == ERROR_SUCCESS ? fat.Write(entry, offset, buffer, size, clock_.NowAsSystemTime()) : found;
        });
        if (error == ERROR_SUCCESS) done = size;
        return error;
    }

    uint64_t Size() override {
        uint64_t size = 0;
        volume_->AccessOpenFile(mount_, [&](SimFat& fat) {
            SimFatEntry entry;
            DWORD error = fat.Find(parts_, entry);
            if (error == ERROR_SUCCESS) size = entry.size;
            return error;
        });
        return size;
    }

private:
    std::shared_ptr<SimPlayerVolume> volume_;
    std::shared_ptr<Opens> opens_;
    const SimClock& clock_;
    const std::vector<std::wstring> parts_;
    const DWORD access_;
    const DWORD share_;
    std::shared_ptr<SimShareState> sharing_;
    const uint64_t mount_;
};

SimPlayerDrive::SimPlayerDrive(std::shared_ptr<SimPlayerVolume> volume, UINT type, const SimClock& clock)
    : volume_(std::move(volume)), type_(type), clock_(clock), opens_(std::make_shared<Opens>()) {}

DWORD SimPlayerDrive::Open(const std::vector<std::wstring>& parts, const SimOpenRequest& request,
                           std::shared_ptr<SimFileObject>& file, bool& existed) {
    existed = false;
    if (request.disposition < CREATE_NEW || request.disposition > TRUNCATE_EXISTING) return ERROR_INVALID_PARAMETER;
    if (request.disposition == TRUNCATE_EXISTING && !(request.access & GENERIC_WRITE)) return ERROR_INVALID_PARAMETER;
    std::shared_ptr<SimShareState> sharing;
    uint64_t mount = 0;
    DWORD error = volume_->OpenFile(
        [&](SimFat& fat) { return OpenEntry(fat, parts, request, sharing, existed); }, mount);
    if (error != ERROR_SUCCESS) return error;
    file = std::make_shared<File>(*this, parts, request, sharing, mount);
    return ERROR_SUCCESS;
}

DWORD SimPlayerDrive::OpenEntry(SimFat& fat, const std::vector<std::wstring>& parts, const SimOpenRequest& request,
                                std::shared_ptr<SimShareState>& sharing, bool& existed) {
    SimFatEntry entry;
    DWORD error = fat.Find(parts, entry);
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) return error;
    bool exists = error == ERROR_SUCCESS;
    if (parts.empty() || (exists && (entry.attributes & SimFat::kDirectory))) return ERROR_ACCESS_DENIED;

    bool create = false, truncate = false;
    switch (request.disposition) {
    case CREATE_NEW:
        if (exists) return ERROR_FILE_EXISTS;
        create = true;
        break;
    case CREATE_ALWAYS:
        create = !exists;
        truncate = exists;
        break;
    case OPEN_EXISTING:
        if (!exists) return ERROR_FILE_NOT_FOUND;
        break;
    case OPEN_ALWAYS:
        create = !exists;
        break;
    default:  // TRUNCATE_EXISTING
        if (!exists) return ERROR_FILE_NOT_FOUND;
        truncate = true;
        break;
    }
    bool canWrite = (request.access & GENERIC_WRITE) != 0;
    if ((entry.attributes & SimFat::kReadOnly) && (truncate || canWrite)) return ERROR_ACCESS_DENIED;
    // Overwriting a hidden or system file must say so in its attributes.
    BYTE guarded = entry.attributes & (SimFat::kHidden | SimFat::kSystem);
    if (request.disposition == CREATE_ALWAYS && (guarded & ~request.flags)) return ERROR_ACCESS_DENIED;

    BYTE given = static_cast<BYTE>(request.flags & kKeptAttributes);
    SYSTEMTIME stamp = clock_.NowAsSystemTime();
    if (create && (error = fat.Create(parts, given, stamp, entry)) != ERROR_SUCCESS) return error;
    {
        std::lock_guard<std::mutex> lock(opens_->mutex);
        sharing = opens_->Of(entry);
        if (sharing->DeletePending()) return ERROR_ACCESS_DENIED;
        error = sharing->Admit(request.access, request.share);
        if (error != ERROR_SUCCESS) return error;
    }
    if (truncate) {
        error = fat.Truncate(entry, stamp);
        if (error == ERROR_SUCCESS && request.disposition == CREATE_ALWAYS) {
            error = fat.SetAttributes(entry, entry.attributes | given);
        }
        if (error != ERROR_SUCCESS) {
            std::lock_guard<std::mutex> lock(opens_->mutex);
            sharing->Leave(request.access, request.share);
            return error;
        }
    }
    existed = exists;
    return ERROR_SUCCESS;
}

DWORD SimPlayerDrive::GetAttributes(const std::vector<std::wstring>& parts, DWORD& attributes) {
    return volume_->AccessFiles([&](SimFat& fat) {
        SimFatEntry entry;
        DWORD error = fat.Find(parts, entry);
        if (error == ERROR_SUCCESS) attributes = Win32Attributes(entry.attributes);
        return error;
    });
}

DWORD SimPlayerDrive::SetAttributes(const std::vector<std::wstring>& parts, DWORD attributes) {
    return volume_->AccessFiles([&](SimFat& fat) {
        SimFatEntry entry;
        DWORD error = fat.Find(parts, entry);
        return error == ERROR_SUCCESS ? fat.SetAttributes(entry, static_cast<BYTE>(attributes & kKeptAttributes))
                                      : error;
    });
}

DWORD SimPlayerDrive::Remove(const std::vector<std::wstring>& parts) {
    return volume_->AccessFiles([&](SimFat& fat) {
        SimFatEntry entry;
        DWORD error = fat.Find(parts, entry);
        if (error != ERROR_SUCCESS) return error;
        if (parts.empty() || (entry.attributes & (SimFat::kDirectory | SimFat::kReadOnly))) {
            return static_cast<DWORD>(ERROR_ACCESS_DENIED);
        }
        {
            std::lock_guard<std::mutex> lock(opens_->mutex);
            auto open = opens_->byEntry.find(EntryKey(entry));
            std::shared_ptr<SimShareState> sharing = open == opens_->byEntry.end() ? nullptr : open->second.lock();
            if (sharing && sharing->InUse()) {
                // An open file goes with its last handle, if all of them allow it.
                if (sharing->DeletePending()) return static_cast<DWORD>(ERROR_ACCESS_DENIED);
                if (!sharing->AllShareDelete()) return static_cast<DWORD>(ERROR_SHARING_VIOLATION);
                sharing->MarkDeletePending();
                return static_cast<DWORD>(ERROR_SUCCESS);
            }
        }
        return fat.Remove(entry);
    });
}
