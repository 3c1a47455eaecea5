// The text the help option shows: the library's usage format filled with the
// program's file name and the option words of the same library.
#pragma once

#include <cstdint>
#include <string>

class CVrConfigInfo;
class CVrResource;

// -28 when the format cannot be loaded; an option word that cannot be loaded
// is left empty in the text.
int32_t VrBuildUsageText(const CVrConfigInfo& config, CVrResource& resource, std::wstring& text);
