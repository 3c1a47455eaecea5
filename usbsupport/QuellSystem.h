// Which Windows runs, and in which language, as Quell reports them.
#pragma once

#include "platform/Host.h"

// The version code: 0 Win32s (or no version at all), 2 Windows 9x below 4,
// 3 Windows 95, 4 Windows 98 (and 9x above 4), 5 Windows Me, 6 Windows
// 2000, 7 Windows XP, 8 any other NT, -1 an unknown platform.
int WindowsVersionCode(Host& host);

// The system language: 1 Chinese (PRC), 2 Chinese (Taiwan), 3 any other,
// 0xFFFFFFFF when the system reports language 0.
const unsigned kQuellChinesePrc = 1;
const unsigned kQuellChineseTaiwan = 2;
const unsigned kQuellOtherLanguage = 3;
const unsigned kQuellNoLanguage = 0xFFFFFFFFu;
unsigned SystemLanguageCode(Host& host);
