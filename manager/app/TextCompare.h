// Texts compared the way the system's controls compare names: without
// regard to case.
#pragma once

#include <string>

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b);
