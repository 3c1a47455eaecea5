#include "platform/sim/SimObjects.h"

#include <algorithm>
#include <chrono>

#include "platform/sim/SimClock.h"

namespace {

// How long a wait with a time-out waits for real for another thread.
const std::chrono::milliseconds kLongestRealWait(200);

}  // namespace

bool SimEvent::Take(const SimThread&, DWORD& result) {
    if (!signalled_) return false;
    if (!manualReset_) signalled_ = false;
    result = WAIT_OBJECT_0;
    return true;
}

bool SimMutex::Take(const SimThread& waiter, DWORD& result) {
    if (count_ > 0 && !(owner_ == waiter)) return false;
    result = abandoned_ ? WAIT_ABANDONED : WAIT_OBJECT_0;
    abandoned_ = false;
    owner_ = waiter;
    ++count_;
    return true;
}

template <class T>
std::shared_ptr<T> SimObjects::Make(const std::wstring& name, DWORD& status, std::shared_ptr<T> fresh) {
    status = ERROR_SUCCESS;
    if (name.empty()) return fresh;
    auto found = names_.find(name);
    if (found != names_.end()) {
        if (std::shared_ptr<SimWaitable> existing = found->second.lock()) {
            std::shared_ptr<T> same = std::dynamic_pointer_cast<T>(existing);
            status = same ? ERROR_ALREADY_EXISTS : ERROR_INVALID_HANDLE;
            return same;
        }
    }
    names_[name] = fresh;
    return fresh;
}

std::shared_ptr<SimEvent> SimObjects::MakeEvent(const std::wstring& name, bool manualReset, bool signalled,
                                                DWORD& status) {
    std::lock_guard<std::mutex> lock(mutex_);
    return Make(name, status, std::make_shared<SimEvent>(manualReset, signalled));
}

std::shared_ptr<SimMutex> SimObjects::MakeMutex(const std::wstring& name, bool initialOwner,
                                                const SimThread& creator, DWORD& status) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto fresh = std::make_shared<SimMutex>();
    std::shared_ptr<SimMutex> mutex = Make(name, status, fresh);
    if (mutex == fresh) {
        if (initialOwner) {
            DWORD ignored;
            fresh->Take(creator, ignored);
        }
        mutexes_.erase(std::remove_if(mutexes_.begin(), mutexes_.end(),
                                      [](const std::weak_ptr<SimMutex>& m) { return m.expired(); }),
                       mutexes_.end());
        mutexes_.push_back(fresh);
    }
    return mutex;
}

void SimObjects::Signal(SimEvent& event) {
    std::lock_guard<std::mutex> lock(mutex_);
    event.signalled_ = true;
    changed_.notify_all();
}

void SimObjects::Unsignal(SimEvent& event) {
    std::lock_guard<std::mutex> lock(mutex_);
    event.signalled_ = false;
}

DWORD SimObjects::Release(SimMutex& mutex, const SimThread& thread) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (mutex.count_ == 0 || !(mutex.owner_ == thread)) return ERROR_NOT_OWNER;
    if (--mutex.count_ == 0) changed_.notify_all();
    return ERROR_SUCCESS;
}

DWORD SimObjects::Wait(SimWaitable& object, const SimThread& waiter, DWORD milliseconds) {
    return WaitAny({&object}, waiter, milliseconds);
}

DWORD SimObjects::WaitAny(const std::vector<SimWaitable*>& objects, const SimThread& waiter, DWORD milliseconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    DWORD result = WAIT_TIMEOUT;
    auto taken = [&] {
        for (size_t i = 0; i < objects.size(); ++i) {
            if (objects[i]->Take(waiter, result)) {
                result += static_cast<DWORD>(i);
                return true;
            }
        }
        return false;
    };
    if (taken()) return result;
    if (milliseconds == 0) return WAIT_TIMEOUT;
    if (milliseconds == INFINITE) {
        changed_.wait(lock, taken);
        return result;
    }
    std::chrono::milliseconds real = std::min(kLongestRealWait, std::chrono::milliseconds(milliseconds));
    if (changed_.wait_for(lock, real, taken)) return result;
    lock.unlock();
    clock_.Advance(milliseconds);
    return WAIT_TIMEOUT;
}

void SimObjects::ProcessEnded(uint64_t process) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const std::weak_ptr<SimMutex>& weak : mutexes_) {
        std::shared_ptr<SimMutex> mutex = weak.lock();
        if (mutex && mutex->count_ > 0 && mutex->owner_.process == process) {
            mutex->count_ = 0;
            mutex->abandoned_ = true;
        }
    }
    changed_.notify_all();
}
