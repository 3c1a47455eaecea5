#include "platform/sim/SimCompletions.h"

SimCompletions::ThreadQueue& SimCompletions::QueueOf(std::thread::id thread) {
    ThreadQueue& queue = threads_[thread];
    if (!queue.wake) {
        DWORD status = ERROR_SUCCESS;
        queue.wake = objects_.MakeEvent(L"", false, false, status);
    }
    return queue;
}

void SimCompletions::Queue(std::thread::id thread, std::function<void()> routine) {
    std::shared_ptr<SimEvent> wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ThreadQueue& queue = QueueOf(thread);
        queue.routines.push_back(std::move(routine));
        wake = queue.wake;
    }
    objects_.Signal(*wake);
}

bool SimCompletions::RunQueued() {
    std::deque<std::function<void()>> routines;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        routines.swap(QueueOf(std::this_thread::get_id()).routines);
    }
    for (std::function<void()>& routine : routines) routine();
    return !routines.empty();
}

std::shared_ptr<SimEvent> SimCompletions::WakeEvent() {
    std::lock_guard<std::mutex> lock(mutex_);
    return QueueOf(std::this_thread::get_id()).wake;
}
