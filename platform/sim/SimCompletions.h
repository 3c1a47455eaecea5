// The completion routines of a simulated process's overlapped writes. As on
// Windows, a routine runs on the thread that started the write, and only
// while that thread waits alertably; a write may complete on any thread (a
// device's own), so completions are queued per thread and wake its wait.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/sim/SimObjects.h"

class SimCompletions {
public:
    explicit SimCompletions(SimObjects& objects) : objects_(objects) {}

    // Queues `routine` for `thread` and wakes its alertable wait.
    void Queue(std::thread::id thread, std::function<void()> routine);
    // Runs the routines queued for the calling thread; false when there were none.
    bool RunQueued();
    // The event an alertable wait of the calling thread also waits for.
    std::shared_ptr<SimEvent> WakeEvent();

private:
    struct ThreadQueue {
        std::deque<std::function<void()>> routines;
        std::shared_ptr<SimEvent> wake;
    };
    ThreadQueue& QueueOf(std::thread::id thread);  // mutex_ held

    SimObjects& objects_;
    std::mutex mutex_;
    std::map<std::thread::id, ThreadQueue> threads_;
};
