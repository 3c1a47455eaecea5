// A date and time as text by format codes, the way the framework's
// date-time formatting renders them: %Y %y %m %B %b %d %A %a %H %I %M %S %p
// and %%, each number with its leading zero unless the code carries '#'
// (%#d). Names come from the locale. A code outside that list is kept as
// it is.
#pragma once

#include <string>

#include "platform/WinTypes.h"

struct LocaleNames {
    std::wstring days[7];  // Sunday first, as SYSTEMTIME counts them
    std::wstring abbreviatedDays[7];
    std::wstring months[12];
    std::wstring abbreviatedMonths[12];
    std::wstring am = L"AM";
    std::wstring pm = L"PM";
};

std::wstring FormatDateTime(const std::wstring& format, const SYSTEMTIME& time, const LocaleNames& names);
