// What CreateFile reaches on the simulated PC: drives behind drive letters,
// and devices behind names of the device namespace ("\\.\E:",
// "\\.\PhysicalDrive0"). Both hand out file objects that the handles of a
// process read and write at an offset.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

// An open file or device, shared by the handles that one CreateFile made.
// Calls return ERROR_SUCCESS or the error the program is to see.
class SimFileObject {
public:
    virtual ~SimFileObject() = default;
    virtual DWORD ReadAt(uint64_t offset, void* buffer, DWORD size, DWORD& done) = 0;
    virtual DWORD WriteAt(uint64_t offset, const void* buffer, DWORD size, DWORD& done) = 0;
    // Where FILE_END counts from.
    virtual uint64_t Size() = 0;
    // An overlapped write: `done` is called with the error and the bytes
    // written when the write completes, on whatever thread completes it (a
    // device may take its time, or never complete until cancelled). An error
    // returned here means the write did not start. Files complete at once.
    virtual DWORD WriteAsync(uint64_t offset, const void* buffer, DWORD size,
                             std::function<void(DWORD error, DWORD written)> done) {
        DWORD written = 0;
        DWORD error = WriteAt(offset, buffer, size, written);
        done(error, written);
        return ERROR_SUCCESS;
    }
    // Ends the writes still pending: each completes with ERROR_OPERATION_ABORTED.
    virtual void CancelPending() {}
    // A device's control request; plain files know none.
    virtual DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD& returned) {
        (void)code, (void)in, (void)inSize, (void)out, (void)outSize;
        returned = 0;
        return ERROR_INVALID_FUNCTION;
    }
};

struct SimOpenRequest {
    DWORD access = 0;       // GENERIC_READ, GENERIC_WRITE
    DWORD share = 0;        // FILE_SHARE_*
    DWORD disposition = 0;  // CREATE_NEW ... TRUNCATE_EXISTING
    DWORD flags = 0;        // FILE_ATTRIBUTE_* and FILE_FLAG_*
};

// A drive letter's volume. Paths are the parts below its root.
class SimDrive {
public:
    virtual ~SimDrive() = default;
    virtual UINT Type() const = 0;
    // `existed` tells whether the file was there before (CREATE_ALWAYS and
    // OPEN_ALWAYS then report ERROR_ALREADY_EXISTS).
    virtual DWORD Open(const std::vector<std::wstring>& parts, const SimOpenRequest& request,
                       std::shared_ptr<SimFileObject>& file, bool& existed) = 0;
    virtual DWORD GetAttributes(const std::vector<std::wstring>& parts, DWORD& attributes) = 0;
    virtual DWORD SetAttributes(const std::vector<std::wstring>& parts, DWORD attributes) = 0;
    virtual DWORD Remove(const std::vector<std::wstring>& parts) = 0;
};

// A name in the device namespace.
class SimDevice {
public:
    virtual ~SimDevice() = default;
    virtual DWORD Open(const SimOpenRequest& request, std::shared_ptr<SimFileObject>& file) = 0;
};
