// A finished speech file handed back by the text-to-speech program, and
// where it goes on the player: its path arrives in WM_COPYDATA, it is moved
// onto the player as an ".mp3" file, into the drive root while the player
// list shows the root, into the root's "mp3" folder while it shows a folder.
#pragma once

#include <cstddef>
#include <string>

// The text of a WM_COPYDATA record: at most `bytes` bytes at `data`, ending
// at the first zero among them when there is one (the sender may count the
// terminating zero or not). Nothing is read past `bytes`.
std::string CopyDataText(const void* data, size_t bytes);

// The name on the player: the path's part after its last backslash, cut
// after its last dot, with "mp3" appended ("speech.wav" gives "speech.mp3",
// a name without a dot gives "mp3").
std::wstring SpeechImportName(const std::wstring& path);

struct SpeechImportTarget {
    std::wstring destination;  // the file's full path on the player
    std::wstring folder;       // the "mp3" folder to make first; empty for the root
};

// The longest path the shell's operations take, terminating zero included.
const size_t kShellPathChars = 260;

// Where the file named `name` goes while the player list shows a folder
// `depth` levels below the drive root `root` (which ends in a backslash;
// depth 1 is the root itself). False when no player is shown (depth 0) or
// when the destination would not fit a shell path: it is refused, never cut.
bool SpeechImportDestination(size_t depth, const std::wstring& root, const std::wstring& name,
                             SpeechImportTarget& target);
