// The Windows language id that a POSIX locale name ("de_DE.UTF-8") stands
// for, so that the native programs speak the language of their terminal.
#pragma once

#include <string>

#include "platform/WinTypes.h"

// English (United States) for "C", "POSIX", an empty or an unknown name.
LANGID LanguageOfLocale(const std::string& locale);

// The locale of the process's environment: LC_ALL, LC_MESSAGES or LANG, the
// first that is set and not empty.
std::string EnvironmentLocale();
