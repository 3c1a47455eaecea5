#include "updater/console/CaddisCommandLine.h"

#include "platform/TextCodec.h"
#include "updater/console/CaddisPc.h"

namespace {

std::wstring WindowsPath(wchar_t drive, const std::wstring& path) {
    std::wstring windows = std::wstring(1, drive) + L":";
    if (path.empty() || path[0] != L'/') windows += L'\\';
    for (wchar_t c : path) windows += c == L'/' ? L'\\' : c;
    return windows;
}

const char kLinuxHelp[] = "--help";
const wchar_t kUsageOption[] = L"-?";

std::wstring Translated(const std::string& word) {
    if (word == kLinuxHelp) return kUsageOption;
    const std::wstring text = WideFromUtf8(word);
    const bool windowsPath = text.find(L':') != std::wstring::npos || text.find(L'\\') != std::wstring::npos;
    if (text.empty() || text[0] == L'-' || windowsPath) return text;
    // "/silent" is an option written the Windows way; "/tmp/caddis.log" a path.
    if (text[0] == L'/') return text.find(L'/', 1) == std::wstring::npos ? text : WindowsPath(kCaddisRootDrive, text);
    return WindowsPath(kCaddisCurrentDrive, text);
}

}  // namespace

bool CaddisAsksForUsage(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        if (word == kLinuxHelp || word == "-?" || word == "/?") return true;
    }
    return false;
}

std::wstring CaddisCommandLine(const std::vector<std::string>& words) {
    std::wstring line;
    for (const std::string& word : words) {
        if (!line.empty()) line += L' ';
        line += Translated(word);
    }
    return line;
}
