#include "manager/app/ListFilter.h"

#include <cwctype>

namespace {

std::wstring LastFour(const std::wstring& text) { return text.size() <= 4 ? text : text.substr(text.size() - 4); }

bool SameNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

}  // namespace

bool FilterShowsAll(const std::wstring& filter) { return SameNoCase(filter, L"*.*"); }

bool FilterKeeps(const std::wstring& filter, const std::wstring& parsingName) {
    return SameNoCase(LastFour(parsingName), LastFour(filter));
}

bool ExcludedByName(const std::wstring& displayName, const std::vector<std::wstring>& exclusions) {
    for (size_t i = 0; i < exclusions.size() && i < 2; ++i) {
        if (!exclusions[i].empty() && displayName.find(exclusions[i]) != std::wstring::npos) return true;
    }
    return false;
}
