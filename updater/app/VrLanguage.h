// Which language the updater speaks, and which library holds its texts.
#pragma once

#include "platform/WinTypes.h"

// The user-interface language for the user's default language: the seven
// languages with a library keep the whole id; any other becomes English.
LANGID VrChooseLanguage(LANGID userDefault);

// The language library for a language id ("vrxa0409.dll" ...).
const wchar_t* VrLanguageLibraryFile(LANGID language);

// The language of the program's own string table that serves `language`:
// Chinese is stored as 0x404 (Taiwan) and 0x804 (every other region, as for
// the libraries); the other languages by primary language.
LANGID VrOwnTableLanguage(LANGID language);
