#include "updater/app/VrLanguage.h"

namespace {

const WORD kChineseTaiwan = 1;  // sublanguage of Traditional Chinese

}  // namespace

LANGID VrChooseLanguage(LANGID userDefault) {
    switch (PRIMARYLANGID(userDefault)) {
    case LANG_CHINESE:
    case LANG_GERMAN:
    case LANG_ENGLISH:
    case LANG_SPANISH:
    case LANG_FRENCH:
    case LANG_JAPANESE:
    case LANG_KOREAN:
        return userDefault;
    default:
        return LANG_ENGLISH;
    }
}

const wchar_t* VrLanguageLibraryFile(LANGID language) {
    switch (PRIMARYLANGID(language)) {
    case LANG_CHINESE:
        return SUBLANGID(language) == kChineseTaiwan ? L"vrxa0404.dll" : L"vrxa0804.dll";
    case LANG_GERMAN: return L"vrxa0407.dll";
    case LANG_SPANISH: return L"vrxa040a.dll";
    case LANG_FRENCH: return L"vrxa040c.dll";
    case LANG_JAPANESE: return L"vrxa0411.dll";
    case LANG_KOREAN: return L"vrxa0412.dll";
    default: return L"vrxa0409.dll";
    }
}

LANGID VrOwnTableLanguage(LANGID language) {
    if (PRIMARYLANGID(language) != LANG_CHINESE) return language;
    return MAKELANGID(LANG_CHINESE, SUBLANGID(language) == kChineseTaiwan ? kChineseTaiwan : 2);
}
