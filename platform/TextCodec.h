// Conversions between the text encodings that meet at the host seam: UTF-16
// as Windows stores it in resources, wchar_t text as the programs hold it
// (UTF-16 on Windows, UTF-32 natively) and UTF-8 for terminals and files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Decodes `count` UTF-16 code units; an unpaired surrogate becomes U+FFFD.
std::wstring WideFromUtf16(const uint16_t* units, size_t count);
std::u16string Utf16FromWide(const std::wstring& text);

std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);
