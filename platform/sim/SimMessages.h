// The system's message texts that FormatMessage gives for error codes. The
// simulated PC is an English system: its catalogue holds English texts only.
#pragma once

#include <string>

#include "platform/WinTypes.h"

// Finds the text of `code` in `language` (0 or a neutral id: whatever the
// system has). Returns ERROR_SUCCESS, ERROR_RESOURCE_LANG_NOT_FOUND for a
// language the catalogue lacks, or ERROR_MR_MID_NOT_FOUND for an unknown code.
DWORD FindSystemMessage(DWORD code, LANGID language, std::wstring& text);
