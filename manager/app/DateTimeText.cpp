#include "manager/app/DateTimeText.h"

namespace {

std::wstring Number(unsigned value, int digits, bool leadingZeros) {
    std::wstring text = std::to_wstring(value);
    if (leadingZeros) {
        while (static_cast<int>(text.size()) < digits) text.insert(text.begin(), L'0');
    }
    return text;
}

const std::wstring& Pick(const std::wstring* names, unsigned count, unsigned index) {
    static const std::wstring kNone;
    return index < count ? names[index] : kNone;
}

// The text of one code; false for a code outside the list.
bool Expand(wchar_t code, bool leadingZeros, const SYSTEMTIME& time, const LocaleNames& names, std::wstring& out) {
    const unsigned hour12 = time.wHour % 12 == 0 ? 12 : time.wHour % 12;
    switch (code) {
    case L'Y': out = Number(time.wYear, 4, leadingZeros); return true;
    case L'y': out = Number(time.wYear % 100, 2, leadingZeros); return true;
    case L'm': out = Number(time.wMonth, 2, leadingZeros); return true;
    case L'd': out = Number(time.wDay, 2, leadingZeros); return true;
    case L'H': out = Number(time.wHour, 2, leadingZeros); return true;
    case L'I': out = Number(hour12, 2, leadingZeros); return true;
    case L'M': out = Number(time.wMinute, 2, leadingZeros); return true;
    case L'S': out = Number(time.wSecond, 2, leadingZeros); return true;
    case L'B': out = Pick(names.months, 12, time.wMonth - 1u); return true;
    case L'b': out = Pick(names.abbreviatedMonths, 12, time.wMonth - 1u); return true;
    case L'A': out = Pick(names.days, 7, time.wDayOfWeek); return true;
    case L'a': out = Pick(names.abbreviatedDays, 7, time.wDayOfWeek); return true;
    case L'p': out = time.wHour < 12 ? names.am : names.pm; return true;
    case L'%': out = L"%"; return true;
    default: return false;
    }
}

}  // namespace

std::wstring FormatDateTime(const std::wstring& format, const SYSTEMTIME& time, const LocaleNames& names) {
    std::wstring text;
    for (size_t at = 0; at < format.size(); ++at) {
        if (format[at] != L'%' || at + 1 == format.size()) {
            text += format[at];
            continue;
        }
        size_t code = at + 1;
        const bool noZeros = format[code] == L'#' && code + 1 < format.size();
        if (noZeros) ++code;
        std::wstring expanded;
        if (Expand(format[code], !noZeros, time, names, expanded)) {
            text += expanded;
        } else {
            text += format.substr(at, code - at + 1);
        }
        at = code;
    }
    return text;
}
