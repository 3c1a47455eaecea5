// One simulated process's handle table. Handle values are small multiples of
// four, as Windows gives them, never reused, so a stale handle stays invalid.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sim/SimDrive.h"
#include "platform/sim/SimObjects.h"
#include "platform/sim/SimRegistry.h"

// A file or device handle: the file pointer belongs to the handle.
struct SimOpenFile final : SimObject {
    SimOpenFile(std::shared_ptr<SimFileObject> file, DWORD access, DWORD flags)
        : file(std::move(file)), access(access), flags(flags) {}
    std::shared_ptr<SimFileObject> file;
    DWORD access;
    DWORD flags;
    std::mutex mutex;  // one request at a time, as on a synchronous handle
    uint64_t position = 0;
};

// An open registry key and the access it was opened for.
struct SimOpenKey final : SimObject {
    SimOpenKey(std::shared_ptr<SimRegistry::Key> key, REGSAM access) : key(std::move(key)), access(access) {}
    std::shared_ptr<SimRegistry::Key> key;
    REGSAM access;
};

class SimHandles {
public:
    HANDLE Add(std::shared_ptr<SimObject> object);
    std::shared_ptr<SimObject> Find(HANDLE handle) const;
    template <class T>
    std::shared_ptr<T> Get(HANDLE handle) const {
        return std::dynamic_pointer_cast<T>(Find(handle));
    }
    // False when `handle` is no open handle.
    bool Close(HANDLE handle);
    // The objects of all handles, which the caller releases.
    std::vector<std::shared_ptr<SimObject>> CloseAll();

private:
    mutable std::mutex mutex_;
    std::map<uintptr_t, std::shared_ptr<SimObject>> objects_;
    uintptr_t next_ = 0x7C;
};
