// Files, drives and the current folder on the simulated PC.
#include "platform/sim/SimHost.h"

#include <cstring>

#include "platform/sim/SimInterfaceList.h"

HANDLE SimHost::CreateFile(LPCWSTR fileName, DWORD access, DWORD shareMode, SECURITY_ATTRIBUTES*, DWORD disposition,
                           DWORD flags, HANDLE) {
    SimPath path;
    if (!Parse(fileName, path)) return INVALID_HANDLE_VALUE;
    SimOpenRequest request;
    request.access = access;
    request.share = shareMode;
    request.disposition = disposition;
    request.flags = flags;
    std::shared_ptr<SimFileObject> file;
    bool existed = false;
    DWORD error = machine_.Open(path, request, file, existed);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = handles_.Add(std::make_shared<SimOpenFile>(file, access, flags));
    bool replaced = existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
    SetLastError(replaced ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

// ReadFile and WriteFile alike. Given an OVERLAPPED record, the transfer
// starts at its offset and completes at once: the record gets the status and
// the byte count, and its event is set.
BOOL SimHost::Transfer(HANDLE handle, void* buffer, DWORD size, LPDWORD done, OVERLAPPED* overlapped, bool writing) {
    if (done) *done = 0;
    std::shared_ptr<SimOpenFile> open = HandleOf<SimOpenFile>(handle);
    if (!open) return FALSE;
    if (!(open->access & (writing ? GENERIC_WRITE : GENERIC_READ))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if ((!overlapped && (open->flags & FILE_FLAG_OVERLAPPED)) || (!done && !overlapped)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!buffer && size > 0) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(open->mutex);
    uint64_t offset = overlapped ? (uint64_t(overlapped->OffsetHigh) << 32) | overlapped->Offset : open->position;
    DWORD moved = 0;
    DWORD error = writing ? open->file->WriteAt(offset, buffer, size, moved)
                          : open->file->ReadAt(offset, buffer, size, moved);
    if (error == ERROR_SUCCESS && overlapped && !writing && size > 0 && moved == 0) error = ERROR_HANDLE_EOF;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    open->position = offset + moved;
    if (done) *done = moved;
    if (overlapped) {
        overlapped->Internal = 0;
        overlapped->InternalHigh = moved;
        if (std::shared_ptr<SimEvent> event = handles_.Get<SimEvent>(overlapped->hEvent)) {
            machine_.Objects().Signal(*event);
        }
    }
    return TRUE;
}

BOOL SimHost::ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, OVERLAPPED* overlapped) {
    return Transfer(file, buffer, toRead, read, overlapped, false);
}

BOOL SimHost::WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, OVERLAPPED* overlapped) {
    return Transfer(file, const_cast<void*>(buffer), toWrite, written, overlapped, true);
}

DWORD SimHost::SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
    std::shared_ptr<SimOpenFile> open = HandleOf<SimOpenFile>(file);
    if (!open) return INVALID_SET_FILE_POINTER;
    std::lock_guard<std::mutex> lock(open->mutex);
    int64_t move = distanceHigh
                       ? static_cast<int64_t>((uint64_t(uint32_t(*distanceHigh)) << 32) | uint32_t(distance))
                       : distance;
    int64_t base = 0;
    switch (method) {
    case FILE_BEGIN: break;
    case FILE_CURRENT: base = static_cast<int64_t>(open->position); break;
    case FILE_END: base = static_cast<int64_t>(open->file->Size()); break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    int64_t target = base + move;
    if (target < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    // Without the high part the new position must fit in 32 bits.
    if (!distanceHigh && target > 0xFFFFFFFEll) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    open->position = static_cast<uint64_t>(target);
    if (distanceHigh) *distanceHigh = static_cast<LONG>(target >> 32);
    DWORD low = static_cast<DWORD>(target);
    // The caller tells such a position from a failure by the last error.
    if (low == INVALID_SET_FILE_POINTER) SetLastError(ERROR_SUCCESS);
    return low;
}

BOOL SimHost::CloseHandle(HANDLE object) {
    // A device information set is no kernel object.
    if (!handles_.Get<SimInterfaceList>(object) && handles_.Close(object)) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

DWORD SimHost::GetFileAttributes(LPCWSTR fileName) {
    SimPath path;
    if (!Parse(fileName, path)) return INVALID_FILE_ATTRIBUTES;
    std::shared_ptr<SimDrive> drive = path.isDevice ? nullptr : machine_.Drive(path.drive);
    DWORD attributes = 0;
    DWORD error = drive ? drive->GetAttributes(path.parts, attributes) : ERROR_PATH_NOT_FOUND;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return INVALID_FILE_ATTRIBUTES;
    }
    return attributes;
}

BOOL SimHost::SetFileAttributes(LPCWSTR fileName, DWORD attributes) {
    SimPath path;
    if (!Parse(fileName, path)) return FALSE;
    std::shared_ptr<SimDrive> drive = path.isDevice ? nullptr : machine_.Drive(path.drive);
    DWORD error = drive ? drive->SetAttributes(path.parts, attributes) : ERROR_PATH_NOT_FOUND;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL SimHost::DeleteFile(LPCWSTR fileName) {
    SimPath path;
    if (!Parse(fileName, path)) return FALSE;
    std::shared_ptr<SimDrive> drive = path.isDevice ? nullptr : machine_.Drive(path.drive);
    DWORD error = drive ? drive->Remove(path.parts) : ERROR_PATH_NOT_FOUND;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

DWORD SimHost::GetCurrentDirectory(DWORD size, LPWSTR buffer) {
    DWORD length = static_cast<DWORD>(currentDirectory_.size());
    if (!buffer || size <= length) return length + 1;  // the room needed, terminator included
    std::memcpy(buffer, currentDirectory_.c_str(), (length + 1) * sizeof(wchar_t));
    return length;
}

DWORD SimHost::GetLogicalDrives() { return machine_.DriveMask(); }

// Only a drive's root names it: "C:\" (or "C:"); a null path is the current
// drive. Anything else is no root.
UINT SimHost::GetDriveType(LPCWSTR rootPath) {
    std::wstring root = rootPath ? rootPath : currentDirectory_.substr(0, 3);
    bool isRoot = root.size() >= 2 && root.size() <= 3 && root[1] == L':' &&
                  (root.size() == 2 || root[2] == L'\\' || root[2] == L'/');
    std::shared_ptr<SimDrive> drive = isRoot ? machine_.Drive(root[0]) : nullptr;
    return drive ? drive->Type() : DRIVE_NO_ROOT_DIR;
}

BOOL SimHost::DeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                              LPDWORD returned, OVERLAPPED* overlapped) {
    if (returned) *returned = 0;
    std::shared_ptr<SimOpenFile> open = HandleOf<SimOpenFile>(device);
    if (!open) return FALSE;
    if (overlapped || !returned || (!in && inSize > 0) || (!out && outSize > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(open->mutex);
    DWORD done = 0;
    DWORD error = open->file->IoControl(code, in, inSize, out, outSize, done);
    *returned = done;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL SimHost::WriteFileEx(HANDLE file, LPCVOID buffer, DWORD toWrite, OVERLAPPED* overlapped,
                          LPOVERLAPPED_COMPLETION_ROUTINE completion) {
    std::shared_ptr<SimOpenFile> open = HandleOf<SimOpenFile>(file);
    if (!open) return FALSE;
    if (!overlapped || !completion || !(open->flags & FILE_FLAG_OVERLAPPED) || (!buffer && toWrite > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!(open->access & GENERIC_WRITE)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    uint64_t offset = (uint64_t(overlapped->OffsetHigh) << 32) | overlapped->Offset;
    std::weak_ptr<SimCompletions> completions = completions_;
    std::thread::id starter = std::this_thread::get_id();
    DWORD error = open->file->WriteAsync(offset, buffer, toWrite, [=](DWORD result, DWORD written) {
        // The routine runs on the thread that started the write, in its alertable wait.
        if (std::shared_ptr<SimCompletions> queue = completions.lock()) {
            queue->Queue(starter, [=] {
                overlapped->Internal = result;
                overlapped->InternalHigh = written;
                completion(result, written, overlapped);
            });
        }
    });
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL SimHost::CancelIo(HANDLE file) {
    std::shared_ptr<SimOpenFile> open = HandleOf<SimOpenFile>(file);
    if (!open) return FALSE;
    open->file->CancelPending();
    return TRUE;
}
