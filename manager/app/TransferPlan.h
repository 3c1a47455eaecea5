// What Tavlo's three file commands decide before the shell is called: which
// warning a command gives instead of running, and for a copy where each
// file goes. Copies to the player follow its placement rule: music in the
// drive root, other files in the folder "edisk", unless the user shows a
// folder of their own, which then takes the other files.
#pragma once

#include <string>
#include <vector>

#include "manager/app/SkinResources.h"
#include "platform/WinTypes.h"

// The shell attributes that make an item a real file that can be copied:
// an item with none of them is no music file whatever its name.
const ULONG kPlayableAttributes = 0x40400177;

// Where on the player a copy lands, by the folder the player list shows.
enum class PlayerPlacement {
    kRoot,         // the drive root is shown
    kMusicFolder,  // a folder named "voice" or "mp3" just under the root
    kOwnFolder,    // any other folder
};

// `depth` counts the folders from the drive root to the one shown (1: the
// root itself); `shownFolder` is the shown folder's path.
PlayerPlacement PlacementFor(size_t depth, const std::wstring& shownFolder);

// The file name of a path: what follows the last backslash.
std::wstring FileNameOf(const std::wstring& path);
// Music: any of the attributes above, and ".mp3" or ".wma" at the end of the
// name, any case.
bool IsMusicFile(ULONG attributes, const std::wstring& path);

// The preview's test of a clicked item: any of the attributes above, and
// "mp3" or "wma" as the last three characters of its path, any case.
bool IsPlayableFile(ULONG attributes, const std::wstring& path);

// A selected item of a list: its file-system path (empty when it has none)
// and its shell attributes of kPlayableAttributes.
struct TransferItem {
    std::wstring path;
    ULONG attributes = 0;
};

// A command's decision: a warning in place of the command, or the paths to
// hand the shell. `folderToCreate`, when not empty, is made first (an
// existing one is fine).
struct TransferPlan {
    bool refused = false;
    SkinMessage warning = kWarningCaption;
    std::vector<std::wstring> sources;
    std::vector<std::wstring> destinations;
    std::wstring folderToCreate;
};

// The player's folders as the player list shows them: the drive root
// ("E:\") and the shown folder, `depth` folders down from the root counted
// with it (0: no player shown).
struct PlayerFolder {
    size_t depth = 0;
    std::wstring root;
    std::wstring shown;
};

// Copy to the player: the PC list's selection, in list order. Items
// without a path are left out.
TransferPlan PlanCopyToPlayer(const std::vector<TransferItem>& selection, const PlayerFolder& player);

// Copy to the PC: the player list's selection into the folder selected in
// the tree (`pcFolder`, empty for none). Items without a path are left out
// here too.
TransferPlan PlanCopyToPc(const std::vector<TransferItem>& selection, const std::wstring& pcFolder, bool playerShown);

// Delete: the selection of the side clicked last (`activeSide` 1: the PC
// list, whose files need a selected tree folder; 0: the player list, which
// needs a player shown). `ignored` is set when the command does nothing at
// all, not even warn.
struct DeleteRequest {
    int activeSide = 0;
    bool pcFolderKnown = false;
    bool playerShown = false;
    std::vector<TransferItem> pcSelection;
    std::vector<TransferItem> playerSelection;
};
TransferPlan PlanDelete(const DeleteRequest& request, bool& ignored);

// What follows a command once the shell was or was not called.
enum class TransferFollowUp {
    kNothing,  // the user aborted a deletion: the lists stay as they are
    kWarn,     // the operation never started: the command's failure message
    kRefresh,  // the views show what the shell did, whatever its answer
};
TransferFollowUp FollowUpOfCopy(bool started);
TransferFollowUp FollowUpOfDelete(bool started, bool aborted);
