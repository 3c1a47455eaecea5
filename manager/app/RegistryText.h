// A text value of HKEY_LOCAL_MACHINE read into a buffer of a fixed size,
// as Tavlo reads its own setting and the text-to-speech program's folder.
#pragma once

#include <string>

#include "platform/Host.h"

// The value's text; empty when the key cannot be opened with full access,
// the value is missing, is not a text or is longer than `chars` characters.
// The text ends within the buffer, whether or not the stored value carries
// its terminating zero.
std::wstring ReadRegistryText(Host& host, LPCWSTR keyName, LPCWSTR valueName, size_t chars);
