// The command line the updater parses, from the words `caddis` was given.
// The updater runs on the simulated PC, so a word that is a path of this
// machine (the log file) becomes the path the PC reaches it by: an absolute
// path below the root drive (Z:), a relative one below the current folder's
// drive (D:). Options ("-silent", "/log") and Windows paths stay as written;
// "--help", the form a Linux user tries first, asks for the usage text as
// "-?" does.
#pragma once

#include <string>
#include <vector>

std::wstring CaddisCommandLine(const std::vector<std::string>& words);

// Whether the words ask for the usage text, which needs no player.
bool CaddisAsksForUsage(const std::vector<std::string>& words);
