#include "platform/sim/SimClock.h"

namespace {

const uint64_t kUnitsPerMillisecond = 10000;
const uint64_t kUnitsPerDay = 86400ull * 1000 * kUnitsPerMillisecond;
// Days from 1601-01-01 to 1970-01-01.
const int64_t kDays1601To1970 = 134774;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and
// back (eras of 400 years).
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2);
}

}  // namespace

SYSTEMTIME SimClock::DefaultStart() {
    SYSTEMTIME start{};
    start.wYear = 2005;
    start.wMonth = 3;
    start.wDay = 14;
    start.wDayOfWeek = 1;  // a Monday
    start.wHour = 9;
    start.wMinute = 30;
    return start;
}

uint64_t SimFileTimeFromSystemTime(const SYSTEMTIME& time) {
    int64_t days = DaysFromCivil(time.wYear, time.wMonth, time.wDay) + kDays1601To1970;
    uint64_t milliseconds =
        ((uint64_t(time.wHour) * 60 + time.wMinute) * 60 + time.wSecond) * 1000 + time.wMilliseconds;
    return uint64_t(days) * kUnitsPerDay + milliseconds * kUnitsPerMillisecond;
}

SYSTEMTIME SimSystemTimeFromFileTime(uint64_t time) {
    SYSTEMTIME result{};
    int64_t days = static_cast<int64_t>(time / kUnitsPerDay);
    uint64_t milliseconds = (time % kUnitsPerDay) / kUnitsPerMillisecond;
    int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days - kDays1601To1970, year, month, day);
    result.wYear = static_cast<WORD>(year);
    result.wMonth = static_cast<WORD>(month);
    result.wDay = static_cast<WORD>(day);
    result.wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1601-01-01 was a Monday
    result.wHour = static_cast<WORD>(milliseconds / 3600000);
    result.wMinute = static_cast<WORD>(milliseconds / 60000 % 60);
    result.wSecond = static_cast<WORD>(milliseconds / 1000 % 60);
    result.wMilliseconds = static_cast<WORD>(milliseconds % 1000);
    return result;
}

// The PC was switched on an hour before the clock starts.
SimClock::SimClock() : start_(SimFileTimeFromSystemTime(DefaultStart())), startTicks_(3600000) {}

void SimClock::SetStart(const SYSTEMTIME& start) {
    std::lock_guard<std::mutex> lock(mutex_);
    start_ = SimFileTimeFromSystemTime(start) - elapsed_ * kUnitsPerMillisecond;
}

void SimClock::SetTickCount(DWORD ticks) {
    std::lock_guard<std::mutex> lock(mutex_);
    startTicks_ = static_cast<DWORD>(ticks - elapsed_);
}

void SimClock::Advance(uint64_t milliseconds) {
    std::lock_guard<std::mutex> lock(mutex_);
    elapsed_ += milliseconds;
}

DWORD SimClock::TickCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<DWORD>(startTicks_ + elapsed_);  // wraps after 49.7 days, as Windows does
}

FILETIME SimClock::Now() const {
    std::lock_guard<std::mutex> lock(mutex_);
    uint64_t now = start_ + elapsed_ * kUnitsPerMillisecond;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(now);
    time.dwHighDateTime = static_cast<DWORD>(now >> 32);
    return time;
}

SYSTEMTIME SimClock::NowAsSystemTime() const {
    FILETIME now = Now();
    return SimSystemTimeFromFileTime((uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}
