#include "updater/win32/VrProgramArguments.h"

std::wstring VrArgumentsAfterProgramName(const std::wstring& commandLine) {
    std::size_t end;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring::npos) end = commandLine.size();
    }
    std::size_t start = commandLine.find_first_not_of(L" \t", end);
    return start == std::wstring::npos ? std::wstring() : commandLine.substr(start);
}
