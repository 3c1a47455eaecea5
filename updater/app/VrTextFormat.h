// Texts of the language libraries used as formats. The libraries lie outside
// the program, so a format is never trusted: only "%s" is filled, in order,
// and any other "%" sequence, or a "%s" beyond the arguments, is shown as it
// stands. Surplus arguments are ignored.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

std::wstring VrFormatText(const std::wstring& format, const std::vector<std::wstring>& arguments);

// The number of "%s" a format holds.
size_t VrCountTextArguments(const std::wstring& format);

// A system message taken with its inserts left in ("%1 is not a valid Win32
// application."): each "%n", with or without a "!format!" after it, becomes
// argument n (counting from 1). Inserts without an argument stay as they are.
std::wstring VrFillSystemInserts(const std::wstring& message, const std::vector<std::wstring>& arguments);
