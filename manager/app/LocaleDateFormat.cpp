#include "manager/app/LocaleDateFormat.h"

#include <vector>

#include "manager/app/DatePicture.h"

namespace {

// What the lists and the program read of the locale.
const LCTYPE kTexts[] = {LOCALE_STIMEFORMAT, LOCALE_SSHORTDATE, LOCALE_SLONGDATE,  LOCALE_SDATE,
                         LOCALE_STIME,       LOCALE_SNEGATIVESIGN, LOCALE_SDECIMAL, LOCALE_STHOUSAND,
                         LOCALE_S1159,       LOCALE_S2359};

// The locale counts days from Monday, SYSTEMTIME from Sunday.
LCTYPE DayType(LCTYPE first, int sundayFirst) { return first + static_cast<LCTYPE>((sundayFirst + 6) % 7); }

}  // namespace

CLocaleDateFormat::CLocaleDateFormat(Host& host) : m_host(host) {
    for (LCTYPE type : kTexts) Read(type);
    for (int day = 0; day < 7; ++day) {
        Read(DayType(LOCALE_SDAYNAME1, day));
        Read(DayType(LOCALE_SABBREVDAYNAME1, day));
        Text(DayType(LOCALE_SDAYNAME1, day), m_names.days[day]);
        Text(DayType(LOCALE_SABBREVDAYNAME1, day), m_names.abbreviatedDays[day]);
    }
    for (LCTYPE month = 0; month < 12; ++month) {
        Read(LOCALE_SMONTHNAME1 + month);
        Read(LOCALE_SABBREVMONTHNAME1 + month);
        Text(LOCALE_SMONTHNAME1 + month, m_names.months[month]);
        Text(LOCALE_SABBREVMONTHNAME1 + month, m_names.abbreviatedMonths[month]);
    }
    Text(LOCALE_S1159, m_names.am);
    Text(LOCALE_S2359, m_names.pm);
}

// The size first, then the text into a buffer of that size.
void CLocaleDateFormat::Read(LCTYPE type) {
    const int size = m_host.GetLocaleInfo(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (size <= 0) return;
    std::vector<wchar_t> buffer(static_cast<size_t>(size), 0);
    const int read = m_host.GetLocaleInfo(LOCALE_USER_DEFAULT, type, buffer.data(), size);
    if (read <= 0) return;
    buffer.back() = 0;  // terminated within the buffer, whatever the answer
    m_texts[type] = buffer.data();
}

bool CLocaleDateFormat::Text(LCTYPE type, std::wstring& text) const {
    auto found = m_texts.find(type);
    if (found == m_texts.end()) return false;
    text = found->second;
    return true;
}

std::wstring CLocaleDateFormat::Picture(LCTYPE type, const wchar_t* fallback) const {
    std::wstring picture;
    return Text(type, picture) && !picture.empty() ? picture : fallback;
}

std::wstring CLocaleDateFormat::Format(const FILETIME& time) const {
    FILETIME local;
    SYSTEMTIME parts;
    if (!m_host.FileTimeToLocalFileTime(&time, &local) || !m_host.FileTimeToSystemTime(&local, &parts)) return L"";
    return FormatDateTime(ConvertDatePicture(Picture(LOCALE_SSHORTDATE, kFallbackDatePicture)), parts, m_names) +
           L" " + FormatDateTime(ConvertDatePicture(Picture(LOCALE_STIMEFORMAT, kFallbackTimePicture)), parts, m_names);
}
