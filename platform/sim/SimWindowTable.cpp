#include "platform/sim/SimWindowTable.h"

#include "platform/sim/SimPath.h"

bool SimWindowTable::RegisterClass(uint64_t process, const std::wstring& name, WNDPROC procedure) {
    std::lock_guard<std::mutex> lock(mutex_);
    return classes_.emplace(std::make_pair(process, SimUpper(name)), procedure).second;
}

bool SimWindowTable::UnregisterClass(uint64_t process, const std::wstring& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    return classes_.erase(std::make_pair(process, SimUpper(name))) != 0;
}

HWND SimWindowTable::Create(uint64_t process, const std::wstring& className) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = classes_.find(std::make_pair(process, SimUpper(className)));
    if (found == classes_.end()) return nullptr;
    // Window handles are small even numbers, as on Windows; never reused.
    lastWindow_ += 2;
    HWND window = reinterpret_cast<HWND>(0x10000 + lastWindow_);
    windows_[window] = {process, found->second};
    return window;
}

bool SimWindowTable::Destroy(uint64_t process, HWND window) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = windows_.find(window);
    if (found == windows_.end() || found->second.process != process) return false;
    windows_.erase(found);
    for (auto it = queue_.begin(); it != queue_.end();) it = it->hwnd == window ? queue_.erase(it) : it + 1;
    return true;
}

void SimWindowTable::ProcessEnded(uint64_t process) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (it->second.process != process) {
            ++it;
            continue;
        }
        const HWND window = it->first;
        for (auto m = queue_.begin(); m != queue_.end();) m = m->hwnd == window ? queue_.erase(m) : m + 1;
        it = windows_.erase(it);
    }
    for (auto it = classes_.begin(); it != classes_.end();) it = it->first.first == process ? classes_.erase(it) : ++it;
}

bool SimWindowTable::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (windows_.find(window) == windows_.end()) return false;
    MSG posted = {};
    posted.hwnd = window;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    queue_.push_back(posted);
    return true;
}

bool SimWindowTable::Peek(uint64_t process, HWND window, UINT first, UINT last, UINT remove, MSG& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    const bool anyMessage = first == 0 && last == 0;
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        auto owner = windows_.find(it->hwnd);
        if (owner == windows_.end() || owner->second.process != process) continue;
        if (window && it->hwnd != window) continue;
        if (!anyMessage && (it->message < first || it->message > last)) continue;
        message = *it;
        if (remove & PM_REMOVE) queue_.erase(it);
        return true;
    }
    return false;
}

WNDPROC SimWindowTable::Procedure(uint64_t process, HWND window) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = windows_.find(window);
    return found == windows_.end() || found->second.process != process ? nullptr : found->second.procedure;
}
