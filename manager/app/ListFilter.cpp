#include "manager/app/ListFilter.h"

#include "manager/app/TextCompare.h"

namespace {

std::wstring LastFour(const std::wstring& text) { return text.size() <= 4 ? text : text.substr(text.size() - 4); }

}  // namespace

bool FilterShowsAll(const std::wstring& filter) { return SameIgnoringCase(filter, L"*.*"); }

bool FilterKeeps(const std::wstring& filter, const std::wstring& parsingName) {
    return SameIgnoringCase(LastFour(parsingName), LastFour(filter));
}

bool ExcludedByName(const std::wstring& displayName, const std::vector<std::wstring>& exclusions) {
    for (size_t i = 0; i < exclusions.size() && i < 2; ++i) {
        if (!exclusions[i].empty() && displayName.find(exclusions[i]) != std::wstring::npos) return true;
    }
    return false;
}
