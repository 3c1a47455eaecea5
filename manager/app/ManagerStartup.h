// What Tavlo decides as it starts: whether the command line asks for
// Quell's credits, and which variant of the skin the system's language
// takes.
#pragma once

#include <string>

#include "platform/Host.h"

// The main window's registered class: a second start finds the first
// window by it.
extern const wchar_t kManagerWindowClass[];  // "MP3MANAGER_MEREL_040218"

// The player's USB identifiers and the searching dialog's pace, handed to
// Quell at start-up.
const int kPlayerVendorId = 3793;    // 0x0ED1
const int kPlayerProductId = 30262;  // 0x7636
const int kQuellCheckSpeed = 1;
const int kQuellSpeedMaxValue = 10;

// True when the command line ends in "/v", in either case: the program
// then shows Quell's credits and ends.
bool AsksForCredits(const std::wstring& commandLine);

// The window's LanguageMode: 1 (the Chinese variant of the skin) when the
// system's default language is Chinese, else 2.
int LanguageModeFor(LANGID systemLanguage);
inline bool ChineseSkin(int languageMode) { return languageMode == 1; }
