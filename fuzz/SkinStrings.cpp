// The skin library's element strings and lists, as UTF-16 text; the first
// code unit is the list's separator. An element keeps its rectangle within
// the screen's coordinates, a number prints back to itself, and a list's
// pieces are the text without its separators.
#include <cstdint>
#include <string>

#include "fuzz/FuzzInput.h"
#include "manager/app/SkinStrings.h"

namespace {

const int kSmallest = -32768, kLargest = 32767;

bool InRange(int value) { return value >= kSmallest && value <= kLargest; }

void CheckElement(const std::wstring& text) {
    const SkinElement element = ParseSkinElement(text);
    const SkinRect& rect = element.rect;
    FUZZ_CHECK(InRange(rect.left) && InRange(rect.top));
    FUZZ_CHECK(rect.Width() >= 0 && rect.Width() <= kLargest && rect.Height() >= 0 && rect.Height() <= kLargest);
    FUZZ_CHECK(element.visible >= 0 && element.visible <= 9);
}

void CheckNumber(const std::wstring& text) {
    int value = 0;
    if (!ParseSkinNumber(text, value)) return;
    FUZZ_CHECK(InRange(value));
    int again = 0;
    FUZZ_CHECK(ParseSkinNumber(std::to_wstring(value), again) && again == value);
}

void CheckList(const std::wstring& text, wchar_t separator) {
    size_t kept = 0;
    for (const std::wstring& piece : SplitSkinList(text, separator)) {
        FUZZ_CHECK(!piece.empty() && piece.find(separator) == std::wstring::npos);
        kept += piece.size();
    }
    size_t separators = 0;
    for (wchar_t c : text) separators += c == separator ? 1 : 0;
    FUZZ_CHECK(kept + separators == text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring input = FuzzWideText(data, size);
    if (input.empty()) return 0;
    const std::wstring text = input.substr(1);
    CheckElement(text);
    CheckNumber(text);
    CheckList(text, input[0]);
    return 0;
}
