// The simulated PC's windows: message windows only, with no screen. Each
// belongs to the process that made it and has its class's procedure; the
// messages posted to it wait in its process's queue until that process takes
// them (PeekMessage) and dispatches them, as on Windows. A program on the
// simulated PC has one thread of windows, so the queue is the process's.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>

#include "platform/WinTypes.h"

class SimWindowTable {
public:
    // False when the process already has a class of that name (compared
    // without regard to case).
    bool RegisterClass(uint64_t process, const std::wstring& name, WNDPROC procedure);
    bool UnregisterClass(uint64_t process, const std::wstring& name);
    // Null when the process has no class of that name.
    HWND Create(uint64_t process, const std::wstring& className);
    // The window goes with the messages still waiting for it. False when the
    // process has no such window.
    bool Destroy(uint64_t process, HWND window);
    // The process ended: its windows and classes go.
    void ProcessEnded(uint64_t process);

    // Queues a message for the window; false when there is no such window.
    bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The process's first waiting message for `window` (null: any of its
    // windows) in [first, last] (0, 0: any); removed with PM_REMOVE.
    bool Peek(uint64_t process, HWND window, UINT first, UINT last, UINT remove, MSG& message);
    // The window's procedure, or null when the window is not the process's.
    WNDPROC Procedure(uint64_t process, HWND window) const;

private:
    struct Window {
        uint64_t process;
        WNDPROC procedure;
    };
    mutable std::mutex mutex_;
    uintptr_t lastWindow_ = 0;
    std::map<std::pair<uint64_t, std::wstring>, WNDPROC> classes_;  // by process and upper-case name
    std::map<HWND, Window> windows_;
    std::deque<MSG> queue_;  // every process's messages, in the order posted
};
