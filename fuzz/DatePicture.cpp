// The locale's date and time pictures, as UTF-16 text, converted to format
// codes and formatted. With names free of delimiters and of '%', the text
// keeps the picture's delimiters in order and exactly its '%' characters:
// nothing of the picture is lost, and no '%' of it becomes a code.
#include <cstdint>
#include <cwchar>
#include <string>

#include "fuzz/FuzzInput.h"
#include "manager/app/DatePicture.h"
#include "manager/app/DateTimeText.h"

namespace {

const wchar_t kDelimiters[] = L" -/,.:%";

std::wstring Delimiters(const std::wstring& text) {
    std::wstring kept;
    for (wchar_t c : text) {
        if (c != 0 && std::wcschr(kDelimiters, c)) kept += c;
    }
    return kept;
}

LocaleNames Names() {
    LocaleNames names;
    const wchar_t* days[] = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};
    for (int i = 0; i < 7; ++i) {
        names.days[i] = days[i];
        names.abbreviatedDays[i] = std::wstring(days[i], 3);
    }
    for (int i = 0; i < 12; ++i) {
        names.months[i] = L"Month" + std::to_wstring(i + 1);
        names.abbreviatedMonths[i] = L"Mo" + std::to_wstring(i + 1);
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const LocaleNames names = Names();
    const std::wstring picture = FuzzWideText(data, size);
    const SYSTEMTIME time = {2005, 3, 1, 14, 21, 30, 7, 0};  // Monday, 14 March 2005, 21:30:07
    const std::wstring text = FormatDateTime(ConvertDatePicture(picture), time, names);
    FUZZ_CHECK(Delimiters(text) == Delimiters(picture));
    return 0;
}
