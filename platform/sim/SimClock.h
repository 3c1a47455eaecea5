// The simulated PC's clock. It moves only when a program sleeps or a wait
// times out, by exactly that much, so waits of minutes take no real time and
// a run's times are the same every time.
#pragma once

#include <cstdint>
#include <mutex>

#include "platform/WinTypes.h"

class SimClock {
public:
    SimClock();

    // Where every simulated PC's clock starts: 2005-03-14 09:30.
    static SYSTEMTIME DefaultStart();

    // Sets the date and time (local time, which the simulated PC keeps equal
    // to UTC) and the tick count as of now.
    void SetStart(const SYSTEMTIME& start);
    void SetTickCount(DWORD ticks);

    void Advance(uint64_t milliseconds);
    DWORD TickCount() const;
    FILETIME Now() const;
    SYSTEMTIME NowAsSystemTime() const;

private:
    mutable std::mutex mutex_;
    uint64_t start_;  // 100-ns units since 1601-01-01
    DWORD startTicks_;
    uint64_t elapsed_ = 0;  // milliseconds
};

// Conversions between the calendar and FILETIME's 100-ns units since 1601.
uint64_t SimFileTimeFromSystemTime(const SYSTEMTIME& time);
SYSTEMTIME SimSystemTimeFromFileTime(uint64_t time);
