#include "platform/sim/SimLocale.h"

namespace {

const wchar_t* const kDays[] = {L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday",
                                L"Sunday"};
const wchar_t* const kMonths[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                  L"July",    L"August",   L"September", L"October", L"November", L"December"};

}  // namespace

SimLocale::SimLocale() {
    texts_ = {
        {LOCALE_STIMEFORMAT, L"h:mm:ss tt"}, {LOCALE_SSHORTDATE, L"M/d/yyyy"},
        {LOCALE_SLONGDATE, L"dddd, MMMM dd, yyyy"}, {LOCALE_SDATE, L"/"}, {LOCALE_STIME, L":"},
        {LOCALE_SNEGATIVESIGN, L"-"}, {LOCALE_SDECIMAL, L"."}, {LOCALE_STHOUSAND, L","},
        {LOCALE_S1159, L"AM"}, {LOCALE_S2359, L"PM"},
    };
    for (LCTYPE i = 0; i < 7; ++i) {
        texts_[LOCALE_SDAYNAME1 + i] = kDays[i];
        texts_[LOCALE_SABBREVDAYNAME1 + i] = std::wstring(kDays[i]).substr(0, 3);
    }
    for (LCTYPE i = 0; i < 12; ++i) {
        texts_[LOCALE_SMONTHNAME1 + i] = kMonths[i];
        texts_[LOCALE_SABBREVMONTHNAME1 + i] = std::wstring(kMonths[i]).substr(0, 3);
    }
}

void SimLocale::SetText(LCTYPE type, const std::wstring& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_[type] = text;
}

void SimLocale::RemoveText(LCTYPE type) {
    std::lock_guard<std::mutex> lock(mutex_);
    texts_.erase(type);
}

bool SimLocale::Text(LCTYPE type, std::wstring& text) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = texts_.find(type);
    if (found == texts_.end()) return false;
    text = found->second;
    return true;
}
