// The command line without the program's name, as the program's start-up
// routine wants it.
#pragma once

#include <string>

// Windows starts the command line with the program's name: up to the closing
// quote when it begins with one (the name may hold blanks), else up to the
// first blank or tab. The blanks after the name go as well.
std::wstring VrArgumentsAfterProgramName(const std::wstring& commandLine);
