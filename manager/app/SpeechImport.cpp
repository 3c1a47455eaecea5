#include "manager/app/SpeechImport.h"

#include <cstring>

std::string CopyDataText(const void* data, size_t bytes) {
    if (!data || bytes == 0) return std::string();
    const char* text = static_cast<const char*>(data);
    const void* zero = std::memchr(text, 0, bytes);
    const size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - text) : bytes;
    return std::string(text, length);
}

std::wstring SpeechImportName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    name.erase(dot == std::wstring::npos ? 0 : dot + 1);
    return name + L"mp3";
}

bool SpeechImportDestination(size_t depth, const std::wstring& root, const std::wstring& name,
                             SpeechImportTarget& target) {
    target = SpeechImportTarget();
    if (depth == 0) return false;
    if (depth == 1) {
        target.destination = root + name;
    } else {
        target.folder = root + L"mp3";
        target.destination = target.folder + L"\\" + name;
    }
    if (target.destination.size() + 1 <= kShellPathChars) return true;
    target = SpeechImportTarget();
    return false;
}
