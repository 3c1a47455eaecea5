// The popup menus of the main window's four menu buttons: which commands
// each holds, in order, with the entry of the skin's menu-text list that
// names it, and whether it can be chosen now.
#pragma once

#include <vector>

#include "manager/app/SkinResources.h"

// Menu commands of the main window.
enum ManagerCommand : unsigned {
    kUpOneLevelCommand = 2024,
    kCopyToPlayerCommand = 2025,
    kCopyToPcCommand = 2026,
    kDeleteCommand = 2027,
    kFormatCommand = 2028,
    kPlayCommand = 2029,
    kStopCommand = 2030,
    kExitCommand = 2031,
    kHelpCommand = 2032,
    kRefreshCommand = 2033,
    kSpeechCommand = 2034,
};

// What the greying depends on.
struct MenuContext {
    int activeSide = 0;             // 1: the PC list was clicked last, 0: the player list
    bool pcListMarked = false;      // list 1002 has a selection mark
    bool playerListMarked = false;  // list 1003 has one
    bool previewPlaying = false;
};

struct PopupItem {
    ManagerCommand command;
    SkinMenuText text;
    bool enabled;
};

// The items of the popup of button `button` (1010 to 1013); empty for any
// other control.
std::vector<PopupItem> PopupMenuItems(int button, const MenuContext& context);
