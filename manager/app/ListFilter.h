// Which shell items a file list shows: the filter box's choice ("*.mp3"
// keeps files whose names end in ".mp3", any case; "*.*" shows everything,
// folders too) and the exclusion list (names the list never shows).
#pragma once

#include <string>
#include <vector>

// Whether the filter shows folders as well as files: only "*.*", any case.
bool FilterShowsAll(const std::wstring& filter);

// Whether a file's parsing name passes a filter other than "*.*": its last
// four characters equal the filter's last four, without regard to case.
bool FilterKeeps(const std::wstring& filter, const std::wstring& parsingName);

// Whether a display name holds exclusion entry 0 or 1 (later entries are not
// used). An empty entry excludes nothing.
bool ExcludedByName(const std::wstring& displayName, const std::vector<std::wstring>& exclusions);
