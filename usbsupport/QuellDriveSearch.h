// Which drives belong to a device: the drives whose device identification
// (vendor or manufacturer, then product) holds both texts asked for,
// compared without regard to case. Windows 2000 and later are asked through
// each drive's storage device property; Windows 9x and Me through the
// device nodes in their registry.
#pragma once

#include <string>

#include "platform/Host.h"

// The drive number (A = 1, C = 3, ...) of the first matching drive, 0 when
// none matches. `roots` receives the roots of all matching drives from C
// upward, one after another ("E:\F:\"), or nothing.
int FindIdentifiedDrives(Host& host, const std::wstring& first, const std::wstring& second, std::wstring& roots);

// Upper-cases the ASCII letters; identification texts are ASCII.
std::wstring QuellUpper(std::wstring text);

// Whether a drive with these identification texts is one asked for; the
// texts asked for are upper-case already. The two texts are joined by a
// character neither can hold, so a text asked for never matches across them.
bool IdentityMatches(const std::wstring& vendor, const std::wstring& product, const std::wstring& firstUpper,
                     const std::wstring& secondUpper);
