// Mutexes, events and waits of a process on the simulated PC.
#include "platform/sim/SimHost.h"

// A name already in use gives the existing object with ERROR_ALREADY_EXISTS;
// a new one clears the last error.
HANDLE SimHost::CreateMutex(SECURITY_ATTRIBUTES*, BOOL initialOwner, LPCWSTR name) {
    DWORD status = ERROR_SUCCESS;
    std::shared_ptr<SimMutex> mutex =
        machine_.Objects().MakeMutex(name ? name : L"", initialOwner != FALSE, CurrentThread(), status);
    SetLastError(status);
    return mutex ? handles_.Add(mutex) : nullptr;
}

BOOL SimHost::ReleaseMutex(HANDLE handle) {
    std::shared_ptr<SimMutex> mutex = HandleOf<SimMutex>(handle);
    if (!mutex) return FALSE;
    DWORD error = machine_.Objects().Release(*mutex, CurrentThread());
    if (error == ERROR_SUCCESS) return TRUE;
    SetLastError(error);
    return FALSE;
}

HANDLE SimHost::CreateEvent(SECURITY_ATTRIBUTES*, BOOL manualReset, BOOL initialState, LPCWSTR name) {
    DWORD status = ERROR_SUCCESS;
    std::shared_ptr<SimEvent> event =
        machine_.Objects().MakeEvent(name ? name : L"", manualReset != FALSE, initialState != FALSE, status);
    SetLastError(status);
    return event ? handles_.Add(event) : nullptr;
}

BOOL SimHost::SetEvent(HANDLE handle) {
    std::shared_ptr<SimEvent> event = HandleOf<SimEvent>(handle);
    if (!event) return FALSE;
    machine_.Objects().Signal(*event);
    return TRUE;
}

BOOL SimHost::ResetEvent(HANDLE handle) {
    std::shared_ptr<SimEvent> event = HandleOf<SimEvent>(handle);
    if (!event) return FALSE;
    machine_.Objects().Unsignal(*event);
    return TRUE;
}

// File handles are signalled whenever no transfer is under way, which on the
// simulated PC is always.
DWORD SimHost::MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                         DWORD) {
    if (waitAll || count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<SimWaitable>> held;
    std::vector<SimWaitable*> objects;
    for (DWORD i = 0; i < count; ++i) {
        std::shared_ptr<SimWaitable> waitable = std::dynamic_pointer_cast<SimWaitable>(handles_.Find(handles[i]));
        if (!waitable) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        objects.push_back(waitable.get());
        held.push_back(std::move(waitable));
    }
    return machine_.Objects().WaitAny(objects, CurrentThread(), milliseconds);
}

DWORD SimHost::WaitForSingleObjectEx(HANDLE handle, DWORD milliseconds, BOOL alertable) {
    if (!alertable) return WaitForSingleObject(handle, milliseconds);
    if (completions_->RunQueued()) return WAIT_IO_COMPLETION;
    std::shared_ptr<SimWaitable> object = std::dynamic_pointer_cast<SimWaitable>(handles_.Find(handle));
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    std::shared_ptr<SimEvent> wake = completions_->WakeEvent();
    for (;;) {
        DWORD result = machine_.Objects().WaitAny({object.get(), wake.get()}, CurrentThread(), milliseconds);
        if (result != WAIT_OBJECT_0 + 1) return result;
        // A wake-up whose routines an earlier wait already ran waits on.
        if (completions_->RunQueued()) return WAIT_IO_COMPLETION;
    }
}

DWORD SimHost::WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    std::shared_ptr<SimObject> object = handles_.Find(handle);
    if (auto waitable = std::dynamic_pointer_cast<SimWaitable>(object)) {
        return machine_.Objects().Wait(*waitable, CurrentThread(), milliseconds);
    }
    if (std::dynamic_pointer_cast<SimOpenFile>(object)) return WAIT_OBJECT_0;
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}
