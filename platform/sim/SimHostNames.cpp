#include "platform/sim/SimHostNames.h"

#include "platform/TextCodec.h"

#ifdef _WIN32

// Windows' own names are the PC's: wide text on both sides.
std::filesystem::path SimHostName(const std::wstring& name) { return std::filesystem::path(name); }
std::wstring SimPcName(const std::filesystem::path& name) { return name.wstring(); }

#else

std::filesystem::path SimHostName(const std::wstring& name) { return std::filesystem::path(Utf8FromWide(name)); }
std::wstring SimPcName(const std::filesystem::path& name) { return WideFromUtf8(name.string()); }

#endif
