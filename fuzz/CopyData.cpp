// The path the text-to-speech program hands back in WM_COPYDATA, and where
// the speech file then goes: the first byte picks how deep the player list
// is (0 to 3), the rest is the record's bytes. The text never reaches past
// the record nor holds a zero, and is the record's text up to its first
// zero; the name on the player ends in "mp3" and has no folder in it; a
// destination that is accepted fits a shell path, lies below the drive root
// and ends in that name.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/FuzzInput.h"
#include "manager/app/SpeechImport.h"

namespace {

const std::wstring kRoot = L"P:\\";

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t depth = data[0] % 4;
    const uint8_t* record = data + 1;
    const size_t bytes = size - 1;

    const std::string text = CopyDataText(record, bytes);
    const size_t end = std::find(record, record + bytes, 0) - record;
    FUZZ_CHECK(text.size() == end && std::memcmp(text.data(), record, end) == 0);

    std::wstring path;  // each byte a character, as a single-byte code page gives
    for (unsigned char c : text) path += static_cast<wchar_t>(c);
    const std::wstring name = SpeechImportName(path);
    FUZZ_CHECK(EndsWith(name, L"mp3") && name.find(L'\\') == std::wstring::npos);

    SpeechImportTarget target;
    const bool accepted = SpeechImportDestination(depth, kRoot, name, target);
    if (depth == 0) FUZZ_CHECK(!accepted);
    if (accepted) {
        FUZZ_CHECK(target.destination.size() < kShellPathChars);
        FUZZ_CHECK(target.destination.compare(0, kRoot.size(), kRoot) == 0 && EndsWith(target.destination, name));
        FUZZ_CHECK(target.folder.empty() == (depth == 1));
    }
    return 0;
}
