// The library's own application object: one per process that has the
// library loaded. It counts the process in the run counter that all those
// processes share, keeps the process's search settings, and holds the host
// every search goes through. The shipped library makes it once, with the
// Windows host; tests make one per simulated process.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/Host.h"

// The searching dialog's settings, all 0 until set.
struct QuellSettings {
    int vendor = 0;
    int product = 0;
    int checkInterval = 0;  // milliseconds between timer ticks
    int progressMaximum = 0;
};

class CQuellApp {
public:
    // Counts the process in. `runCount` is shared by all processes.
    CQuellApp(Host& host, std::atomic<uint32_t>& runCount);
    // Counts the process out.
    ~CQuellApp();
    CQuellApp(const CQuellApp&) = delete;
    CQuellApp& operator=(const CQuellApp&) = delete;

    Host& host() { return m_host; }
    QuellSettings& Settings() { return m_settings; }
    uint32_t RunCount() const { return m_runCount.load(); }

private:
    Host& m_host;
    // Changed only by atomic read-modify-writes (locked instructions), so
    // processes starting or ending at the same time never lose a count.
    std::atomic<uint32_t>& m_runCount;
    QuellSettings m_settings;
};
