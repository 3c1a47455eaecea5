#include "platform/sim/SimHandles.h"

HANDLE SimHandles::Add(std::shared_ptr<SimObject> object) {
    std::lock_guard<std::mutex> lock(mutex_);
    uintptr_t value = next_;
    next_ += 4;
    objects_[value] = std::move(object);
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<SimObject> SimHandles::Find(HANDLE handle) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
    return found == objects_.end() ? nullptr : found->second;
}

bool SimHandles::Close(HANDLE handle) {
    std::shared_ptr<SimObject> closing;  // released after the table's lock
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
    if (found == objects_.end()) return false;
    closing = std::move(found->second);
    objects_.erase(found);
    return true;
}

std::vector<std::shared_ptr<SimObject>> SimHandles::CloseAll() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::shared_ptr<SimObject>> closing;
    for (auto& entry : objects_) closing.push_back(std::move(entry.second));
    objects_.clear();
    return closing;
}
