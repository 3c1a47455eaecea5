// String resources as Windows stores them: tables of blocks of 16 strings,
// block number id / 16 + 1, each string a 16-bit length followed by that many
// UTF-16 units. The lookup goes through the host's language-specific
// resource search, so it works alike on Windows and on the simulated PC.
#pragma once

#include <string>

#include "platform/Host.h"

// Loads string `id` of `module` in `language`. An absent or empty string
// fails (FALSE) with the host's last error set, as Windows' LoadString does.
BOOL LoadResourceString(Host& host, HMODULE module, UINT id, WORD language, std::wstring& text);
