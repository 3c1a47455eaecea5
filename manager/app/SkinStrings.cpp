#include "manager/app/SkinStrings.h"

namespace {

// Coordinates beyond 16 bits are no place on any screen of the program's
// systems, and the limit keeps x + width far from overflowing.
const int kLargestCoordinate = 32767;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

bool ParseSkinNumber(const std::wstring& text, int& value) {
    size_t at = 0, end = text.size();
    while (at < end && IsBlank(text[at])) ++at;
    while (end > at && IsBlank(text[end - 1])) --end;
    const bool negative = at < end && text[at] == L'-';
    if (at < end && (text[at] == L'-' || text[at] == L'+')) ++at;
    if (at == end) return false;
    int magnitude = 0;
    for (; at < end; ++at) {
        if (text[at] < L'0' || text[at] > L'9') return false;
        magnitude = magnitude * 10 + (text[at] - L'0');
        if (magnitude > kLargestCoordinate + 1) return false;
    }
    if (magnitude > kLargestCoordinate + (negative ? 1 : 0)) return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

SkinElement ParseSkinElement(const std::wstring& text) {
    SkinElement element;
    if (text.size() < 2) return element;
    const std::vector<std::wstring> fields = SplitSkinList(text.substr(2), L',');
    int numbers[4];
    if (fields.size() < 4) return element;
    for (int i = 0; i < 4; ++i) {
        if (!ParseSkinNumber(fields[i], numbers[i])) return element;
    }
    const int width = numbers[2], height = numbers[3];
    if (width < 0 || height < 0) return element;
    element.visible = text[0] >= L'0' && text[0] <= L'9' ? text[0] - L'0' : 0;
    element.rect = {numbers[0], numbers[1], numbers[0] + width, numbers[1] + height};
    return element;
}

std::vector<std::wstring> SplitSkinList(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::wstring::npos) end = text.size();
        if (end > start) pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}
