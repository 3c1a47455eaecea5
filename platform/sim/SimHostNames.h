// Names crossing from the simulated PC to the machine it runs on and back.
// The PC's names are wide text. On POSIX systems the host's are bytes, read
// and written as UTF-8 whatever the locale says: the C library's own
// conversion refuses every non-ASCII name under the "C" and "POSIX" locales,
// and a program folder or a log named in any language must still work there.
#pragma once

#include <filesystem>
#include <string>

std::filesystem::path SimHostName(const std::wstring& name);
// A host name that is no valid UTF-8 keeps its other characters, the broken
// bytes each becoming U+FFFD.
std::wstring SimPcName(const std::filesystem::path& name);
