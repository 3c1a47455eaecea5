#include "manager/app/ManagerStartup.h"

#include <cwctype>

const wchar_t kManagerWindowClass[] = L"MP3MANAGER_MEREL_040218";

bool AsksForCredits(const std::wstring& commandLine) {
    if (commandLine.size() < 2) return false;
    const wchar_t slash = commandLine[commandLine.size() - 2];
    const wchar_t letter = commandLine[commandLine.size() - 1];
    return slash == L'/' && std::towlower(letter) == L'v';
}

int LanguageModeFor(LANGID systemLanguage) {
    const int kPrimaryChinese = 0x04;
    return (systemLanguage & 0x3FF) == kPrimaryChinese ? 1 : 2;
}
