// The work folder: the PC folder selected in the folder tree when Tavlo
// closed, selected again at its next start. It is kept as the chain of the
// tree's labels, top-level label first, separated by "\" ("My
// Computer\Local Disk (C:)\Music"), in the registry value "WorkFolder" of
// HKEY_LOCAL_MACHINE\SOFTWARE\Merel.
#pragma once

#include <string>
#include <vector>

#include "platform/Host.h"

// The path of the labels from the selected node up to its top-level node;
// empty when nothing is selected (no labels).
std::wstring JoinWorkFolder(const std::vector<std::wstring>& labelsFromSelected);

// The labels of a path, top-level first; empty parts are dropped.
std::vector<std::wstring> SplitWorkFolder(const std::wstring& path);

// The stored work folder; empty when the key or value is missing, is not a
// text or is longer than its buffer of 100 characters (200 bytes on
// Windows). The text ends within the
// buffer, whether or not the stored value carries its terminating zero.
std::wstring ReadWorkFolder(Host& host);

// Stores the path (an empty path stores nothing), making the key when it is
// missing; failures are silent.
void StoreWorkFolder(Host& host, const std::wstring& path);
