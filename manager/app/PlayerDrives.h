// The player's drives as Tavlo finds them: the drive Quell identifies as
// the player, and the drive with the next letter when a file can be made
// there (a memory card in the player). Portable: Quell's answer and the
// probe file both come through the caller, so tests run it on the
// simulated PC.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Host.h"

// The player's drive roots, "E:" (letter and colon), 0 to 2 entries.
using DriveList = std::vector<std::wstring>;

// Quell's drive search as QGetUSbDrivers answers it: the drive number of the
// first drive whose identification holds both texts (0 for none), and the
// roots of the matching drives ("E:\F:\") in `roots`.
using PlayerDriveQuery =
    std::function<int(std::wstring& roots, const std::wstring& first, const std::wstring& second)>;

// The two texts a drive's identification must hold to be the player's.
extern const wchar_t kPlayerProductText[];  // "MP3 Audio Player"
extern const wchar_t kPlayerVendorText[];   // "LUMO"

// Appends the player's drives to `drives` (the caller empties it first).
void DetectPlayerDrives(Host& host, const PlayerDriveQuery& query, DriveList& drives);

// The drive after `drive` ("E:" gives "F:"); empty after "Z:" and for
// anything that is no drive.
std::wstring NextDrive(const std::wstring& drive);

// Whether a file can be written on the drive ("F:"). The probe file
// "vok.tmp" in its root is made only when there is none; a vok.tmp already
// there is the user's: it is opened for writing without being changed and
// left where it is. Only the file the probe made is deleted.
bool DriveTakesFiles(Host& host, const std::wstring& drive);

// Which player drive a drive's display name ("Removable Disk (E:)") names:
// 0 when it holds entry 0 of `drives`, 1 for entry 1, -1 for neither. An
// empty entry names no drive.
int PlayerDriveIndex(const std::wstring& displayName, const DriveList& drives);
