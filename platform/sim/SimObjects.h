// The kernel objects of the simulated PC that programs wait on: events and
// mutexes, named ones shared by all its processes. A name lives as long as
// some handle to its object does.
//
// Waits with a time-out do not take the time-out in real time: they wait for
// real only briefly (another thread of the test may signal meanwhile), then
// move the virtual clock on by the whole time-out.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/WinTypes.h"

class SimClock;

// Whatever a handle of a simulated process stands for.
class SimObject {
public:
    virtual ~SimObject() = default;
};

// A thread of one simulated process: mutexes are owned by threads, and two
// simulated processes may well run on the same real thread in a test.
struct SimThread {
    uint64_t process = 0;
    std::thread::id thread;

    static SimThread Current(uint64_t process) { return SimThread{process, std::this_thread::get_id()}; }
    bool operator==(const SimThread& other) const { return process == other.process && thread == other.thread; }
};

class SimWaitable : public SimObject {
public:
    // Called with the objects' lock held: takes the object for `waiter` if it
    // is signalled and sets the wait's result.
    virtual bool Take(const SimThread& waiter, DWORD& result) = 0;
};

class SimEvent final : public SimWaitable {
public:
    SimEvent(bool manualReset, bool signalled) : manualReset_(manualReset), signalled_(signalled) {}
    bool Take(const SimThread& waiter, DWORD& result) override;

private:
    friend class SimObjects;
    bool manualReset_;
    bool signalled_;
};

class SimMutex final : public SimWaitable {
public:
    bool Take(const SimThread& waiter, DWORD& result) override;

private:
    friend class SimObjects;
    SimThread owner_;
    unsigned count_ = 0;  // recursive acquisitions by the owner
    bool abandoned_ = false;
};

class SimObjects {
public:
    explicit SimObjects(SimClock& clock) : clock_(clock) {}

    // An empty name makes an unnamed object. For a name in use, the existing
    // object (`status` ERROR_ALREADY_EXISTS; the other arguments are ignored),
    // or null with `status` ERROR_INVALID_HANDLE when it is of another kind.
    std::shared_ptr<SimEvent> MakeEvent(const std::wstring& name, bool manualReset, bool signalled, DWORD& status);
    std::shared_ptr<SimMutex> MakeMutex(const std::wstring& name, bool initialOwner, const SimThread& creator,
                                        DWORD& status);

    void Signal(SimEvent& event);
    void Unsignal(SimEvent& event);
    // ERROR_NOT_OWNER when `thread` does not own the mutex.
    DWORD Release(SimMutex& mutex, const SimThread& thread);
    // WAIT_OBJECT_0, WAIT_ABANDONED or WAIT_TIMEOUT.
    DWORD Wait(SimWaitable& object, const SimThread& waiter, DWORD milliseconds);
    // The first of `objects` that is signalled: WAIT_OBJECT_0 + i or
    // WAIT_ABANDONED + i; else WAIT_TIMEOUT.
    DWORD WaitAny(const std::vector<SimWaitable*>& objects, const SimThread& waiter, DWORD milliseconds);
    // A process that ends abandons the mutexes its threads own.
    void ProcessEnded(uint64_t process);

private:
    template <class T>
    std::shared_ptr<T> Make(const std::wstring& name, DWORD& status, std::shared_ptr<T> fresh);

    SimClock& clock_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::wstring, std::weak_ptr<SimWaitable>> names_;  // names are case-sensitive
    std::vector<std::weak_ptr<SimMutex>> mutexes_;
};
