// A drive's identification texts as Windows 2000 and later give them: the
// vendor and product texts of its storage device property.
#pragma once

#include <string>

#include "platform/Host.h"

// False when the drive cannot be opened, refuses the query, or answers with
// a descriptor whose texts lie outside what it returned.
bool StorageIdentity(Host& host, wchar_t letter, std::wstring& vendor, std::wstring& product);
