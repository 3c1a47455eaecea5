#include "platform/sim/SimFolderDrive.h"

#include <fstream>
#include <map>
#include <mutex>

#include "platform/sim/SimHostNames.h"
#include "platform/sim/SimPath.h"
#include "platform/sim/SimSharing.h"

namespace fs = std::filesystem;

namespace {

const DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The entry of `folder` whose name is `name` up to case; an exact match wins
// where the host keeps names differing only in case side by side.
bool Match(const fs::path& folder, const std::wstring& name, fs::path& entry) {
    std::error_code error;
    fs::path exact = folder / SimHostName(name);
    if (fs::exists(exact, error)) {
        entry = exact;
        return true;
    }
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (SimSameName(SimPcName(it->path().filename()), name)) {
            entry = it->path();
            return true;
        }
    }
    return false;
}

}  // namespace

struct SimFolderDrive::Store {
    std::mutex mutex;
    fs::path folder;
    bool writeProtected = false;
    std::map<fs::path, DWORD> attributes;
    std::map<fs::path, std::weak_ptr<SimShareState>> opens;

    bool Ready() const {
        std::error_code error;
        return fs::is_directory(folder, error);
    }
    DWORD Kept(const fs::path& host) const {
        auto found = attributes.find(host);
        return found == attributes.end() ? FILE_ATTRIBUTE_ARCHIVE : found->second;
    }
    // The file object's failure: a medium taken out, or the host refusing.
    DWORD IoError() const { return Ready() ? static_cast<DWORD>(ERROR_GEN_FAILURE) : ERROR_NOT_READY; }
};

struct SimFolderDrive::Found {
    fs::path host;
    bool exists = false;
    bool directory = false;
};

class SimFolderDrive::File final : public SimFileObject {
public:
    File(std::shared_ptr<Store> store, fs::path host, DWORD access, DWORD share,
         std::shared_ptr<SimShareState> sharing)
        : store_(std::move(store)), host_(std::move(host)), access_(access), share_(share),
          sharing_(std::move(sharing)) {}

    ~File() override {
        std::lock_guard<std::mutex> lock(store_->mutex);
        if (sharing_->Leave(access_, share_) && sharing_->DeletePending()) {
            std::error_code error;
            fs::remove(host_, error);
            store_->attributes.erase(host_);
        }
    }

    DWORD ReadAt(uint64_t offset, void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        std::ifstream in(host_, std::ios::binary);
        if (!in) return store_->IoError();
        if (offset >= Size() || size == 0) return ERROR_SUCCESS;
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(static_cast<char*>(buffer), size);
        done = static_cast<DWORD>(in.gcount());
        return ERROR_SUCCESS;
    }

    DWORD WriteAt(uint64_t offset, const void* buffer, DWORD size, DWORD& done) override {
        done = 0;
        std::error_code error;
        // Writing past the end fills the gap with zeros, as Windows does.
        if (offset > Size()) fs::resize_file(host_, offset, error);
        std::fstream out(host_, std::ios::binary | std::ios::in | std::ios::out);
        if (error || !out) return store_->IoError();
        out.seekp(static_cast<std::streamoff>(offset));
        out.write(static_cast<const char*>(buffer), size);
        out.flush();
        if (!out) return store_->IoError();
        done = size;
        std::lock_guard<std::mutex> lock(store_->mutex);
        auto kept = store_->attributes.find(host_);
        if (kept != store_->attributes.end()) kept->second |= FILE_ATTRIBUTE_ARCHIVE;
        return ERROR_SUCCESS;
    }

    uint64_t Size() override {
        std::error_code error;
        uintmax_t size = fs::file_size(host_, error);
        return error ? 0 : size;
    }

private:
    std::shared_ptr<Store> store_;
    fs::path host_;
    DWORD access_;
    DWORD share_;
    std::shared_ptr<SimShareState> sharing_;
};

SimFolderDrive::SimFolderDrive(UINT type, const fs::path& folder) : type_(type), store_(std::make_shared<Store>()) {
    store_->folder = folder;
}

SimFolderDrive::~SimFolderDrive() = default;

void SimFolderDrive::SetWriteProtected(bool writeProtected) {
    std::lock_guard<std::mutex> lock(store_->mutex);
    store_->writeProtected = writeProtected;
}

DWORD SimFolderDrive::Find(const std::vector<std::wstring>& parts, Found& found) const {
    if (!store_->Ready()) return ERROR_NOT_READY;
    fs::path at = store_->folder;
    std::error_code error;
    for (size_t i = 0; i < parts.size(); ++i) {
        fs::path next;
        bool last = i + 1 == parts.size();
        if (!Match(at, parts[i], next)) {
            if (!last) return ERROR_PATH_NOT_FOUND;
            found.host = at / SimHostName(parts[i]);
            return ERROR_SUCCESS;
        }
        if (!last && !fs::is_directory(next, error)) return ERROR_PATH_NOT_FOUND;
        at = next;
    }
    found.host = at;
    found.exists = true;
    found.directory = fs::is_directory(at, error);
    return ERROR_SUCCESS;
}

DWORD SimFolderDrive::Open(const std::vector<std::wstring>& parts, const SimOpenRequest& request,
                           std::shared_ptr<SimFileObject>& file, bool& existed) {
    std::lock_guard<std::mutex> lock(store_->mutex);
    return OpenLocked(parts, request, file, existed);
}

DWORD SimFolderDrive::OpenLocked(const std::vector<std::wstring>& parts, const SimOpenRequest& request,
                                 std::shared_ptr<SimFileObject>& file, bool& existed) {
    if (request.disposition < CREATE_NEW || request.disposition > TRUNCATE_EXISTING) return ERROR_INVALID_PARAMETER;
    bool canWrite = (request.access & GENERIC_WRITE) != 0;
    if (request.disposition == TRUNCATE_EXISTING && !canWrite) return ERROR_INVALID_PARAMETER;
    Found found;
    DWORD error = Find(parts, found);
    if (error != ERROR_SUCCESS) return error;
    if (parts.empty() || found.directory) return ERROR_ACCESS_DENIED;  // folders open only for backup

    bool create = false, truncate = false;
    switch (request.disposition) {
    case CREATE_NEW:
        if (found.exists) return ERROR_FILE_EXISTS;
        create = true;
        break;
    case CREATE_ALWAYS:
        create = !found.exists;
        truncate = found.exists;
        break;
    case OPEN_EXISTING:
        if (!found.exists) return ERROR_FILE_NOT_FOUND;
        break;
    case OPEN_ALWAYS:
        create = !found.exists;
        break;
    default:  // TRUNCATE_EXISTING
        if (!found.exists) return ERROR_FILE_NOT_FOUND;
        truncate = true;
        break;
    }
    if ((create || truncate || canWrite) && store_->writeProtected) return ERROR_WRITE_PROTECT;
    DWORD kept = found.exists ? store_->Kept(found.host) : 0;
    if ((kept & FILE_ATTRIBUTE_READONLY) && (truncate || canWrite)) return ERROR_ACCESS_DENIED;
    // Overwriting a hidden or system file must say so in its attributes.
    DWORD guarded = kept & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (request.disposition == CREATE_ALWAYS && (guarded & ~request.flags)) return ERROR_ACCESS_DENIED;

    std::weak_ptr<SimShareState>& slot = store_->opens[found.host];
    std::shared_ptr<SimShareState> sharing = slot.lock();
    if (!sharing) slot = sharing = std::make_shared<SimShareState>();
    if (sharing->DeletePending()) return ERROR_ACCESS_DENIED;
    error = sharing->Admit(request.access, request.share);
    if (error != ERROR_SUCCESS) return error;
    if (create || truncate) {
        std::ofstream made(found.host, std::ios::binary | std::ios::trunc);
        if (!made) {
            sharing->Leave(request.access, request.share);
            return ERROR_ACCESS_DENIED;
        }
        store_->attributes[found.host] = kept | FILE_ATTRIBUTE_ARCHIVE | (request.flags & kKeptAttributes);
    }
    existed = found.exists;
    file = std::make_shared<File>(store_, found.host, request.access, request.share, sharing);
    return ERROR_SUCCESS;
}

DWORD SimFolderDrive::GetAttributes(const std::vector<std::wstring>& parts, DWORD& attributes) {
    std::lock_guard<std::mutex> lock(store_->mutex);
    Found found;
    DWORD error = Find(parts, found);
    if (error != ERROR_SUCCESS) return error;
    if (!found.exists) return ERROR_FILE_NOT_FOUND;
    if (found.directory) {
        auto kept = store_->attributes.find(found.host);
        attributes = FILE_ATTRIBUTE_DIRECTORY | (kept == store_->attributes.end() ? 0 : kept->second);
    } else {
        attributes = store_->Kept(found.host);
        if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    }
    return ERROR_SUCCESS;
}

DWORD SimFolderDrive::SetAttributes(const std::vector<std::wstring>& parts, DWORD attributes) {
    std::lock_guard<std::mutex> lock(store_->mutex);
    Found found;
    DWORD error = Find(parts, found);
    if (error != ERROR_SUCCESS) return error;
    if (!found.exists) return ERROR_FILE_NOT_FOUND;
    if (store_->writeProtected) return ERROR_WRITE_PROTECT;
    store_->attributes[found.host] = attributes & kKeptAttributes;
    return ERROR_SUCCESS;
}

DWORD SimFolderDrive::Remove(const std::vector<std::wstring>& parts) {
    std::lock_guard<std::mutex> lock(store_->mutex);
    Found found;
    DWORD error = Find(parts, found);
    if (error != ERROR_SUCCESS) return error;
    if (!found.exists) return ERROR_FILE_NOT_FOUND;
    if (parts.empty() || found.directory) return ERROR_ACCESS_DENIED;
    if (store_->writeProtected) return ERROR_WRITE_PROTECT;
    if (store_->Kept(found.host) & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;

    auto open = store_->opens.find(found.host);
    std::shared_ptr<SimShareState> sharing = open == store_->opens.end() ? nullptr : open->second.lock();
    if (sharing && sharing->InUse()) {
        if (sharing->DeletePending()) return ERROR_ACCESS_DENIED;
        if (!sharing->AllShareDelete()) return ERROR_SHARING_VIOLATION;
        sharing->MarkDeletePending();
        return ERROR_SUCCESS;
    }
    std::error_code removeError;
    if (!fs::remove(found.host, removeError)) return ERROR_ACCESS_DENIED;
    store_->attributes.erase(found.host);
    return ERROR_SUCCESS;
}
