// The context menus of the two file lists: their items, in order, and which
// of them can be chosen, from what was clicked and what plays.
#pragma once

#include <string>
#include <vector>

#include "manager/app/PopupMenus.h"

struct ListMenuContext {
    bool itemHit = false;          // an item lies under the click
    size_t selectedCount = 0;      // items selected in the clicked list
    std::wstring playableFile;     // the selected playable file; empty for none
    bool previewPlaying = false;
    std::wstring playingFile;      // the file the preview plays
    size_t navigationDepth = 0;    // folders on the player side, the root counted
};

// The items of the menu of list `list` (1002 or 1003; empty for any other).
// The first item, text-to-speech, is followed by a separator.
std::vector<PopupItem> ListMenuItems(int list, const ListMenuContext& context);

// Whether the list's menu comes up at all: never while a file operation
// runs, and on the PC side only with a folder selected in the tree.
bool ListMenuShown(int list, bool operationIdle, bool pcFolderKnown);
