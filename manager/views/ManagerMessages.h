// Window messages between Tavlo's main window, its folder tree and its
// preview player.
#pragma once

// Tree to window: wParam is the ShellItemRef of the player's drive 1 or 2,
// which the tree holds until UM_TREE_RELEASE_DRIVES.
const unsigned UM_PLAYER_DRIVE1 = 4025;
const unsigned UM_PLAYER_DRIVE2 = 4026;
// Window to tree: enumerate the computer's drives again (a device arrived),
// and let go of the two player drive records (a device went).
const unsigned UM_TREE_REFRESH_DRIVES = 5025;
const unsigned UM_TREE_RELEASE_DRIVES = 5026;
// Preview player to window: lParam is the playing position; equal to the
// length, the track has ended.
const unsigned UM_PREVIEW_POSITION = 3025;
