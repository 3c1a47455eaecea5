#include "manager/app/DatePicture.h"

#include <cwchar>

namespace {

struct Token {
    const wchar_t* token;
    const wchar_t* code;
};

const Token kTokens[] = {
    {L"M", L"%#m"}, {L"MM", L"%m"},  {L"MMM", L"%b"},  {L"MMMM", L"%B"}, {L"d", L"%#d"},  {L"dd", L"%d"},
    {L"ddd", L"%a"}, {L"dddd", L"%A"}, {L"yy", L"%y"},  {L"yyyy", L"%Y"}, {L"H", L"%#H"},  {L"HH", L"%H"},
    {L"h", L"%#I"}, {L"hh", L"%I"},  {L"mm", L"%M"},   {L"ss", L"%S"},   {L"tt", L"%p"},
};

const wchar_t kDelimiters[] = L" -/,.:";
// The longest run the conversion takes at once; a longer one is taken in parts.
const size_t kLongestRun = 4095;

bool IsDelimiter(wchar_t c) { return std::wcschr(kDelimiters, c) != nullptr && c != 0; }

std::wstring Converted(const std::wstring& run) {
    for (const Token& token : kTokens) {
        if (run == token.token) return token.code;
    }
    std::wstring kept;
    for (wchar_t c : run) kept += c == L'%' ? std::wstring(L"%%") : std::wstring(1, c);
    return kept;
}

}  // namespace

std::wstring ConvertDatePicture(const std::wstring& picture) {
    std::wstring result;
    size_t at = 0;
    while (at < picture.size()) {
        const bool delimiters = IsDelimiter(picture[at]);
        size_t end = at;
        while (end < picture.size() && end - at < kLongestRun && IsDelimiter(picture[end]) == delimiters) ++end;
        result += Converted(picture.substr(at, end - at));
        at = end;
    }
    return result;
}
