// The date column's text of a file time: the date by the user's short-date
// picture, one space, the time by the user's time picture, with the names
// of days and months of the user's locale. The locale is read once, when
// the object is made; the application object keeps the one instance and
// hands it to the lists.
#pragma once

#include <map>
#include <string>

#include "manager/app/DateTimeText.h"
#include "platform/Host.h"

class CLocaleDateFormat {
public:
    // Stands in for a time picture the locale does not give.
    static constexpr const wchar_t* kFallbackTimePicture = L"H:mm";
    // Stands in for a short-date picture the locale does not give.
    static constexpr const wchar_t* kFallbackDatePicture = L"yyyy-MM-dd";

    explicit CLocaleDateFormat(Host& host);
    CLocaleDateFormat(const CLocaleDateFormat&) = delete;
    CLocaleDateFormat& operator=(const CLocaleDateFormat&) = delete;

    // Empty when the time cannot be had in local time.
    std::wstring Format(const FILETIME& time) const;
    // A text read from the locale; false when it was absent.
    bool Text(LCTYPE type, std::wstring& text) const;

private:
    void Read(LCTYPE type);
    std::wstring Picture(LCTYPE type, const wchar_t* fallback) const;

    Host& m_host;
    std::map<LCTYPE, std::wstring> m_texts;
    LocaleNames m_names;
};
