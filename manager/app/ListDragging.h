// What the main window decides about the mouse over its file lists and its
// hand-cursor buttons: whether a point lies on a list, what a drop there
// starts, which cursor a drag shows, and the hand cursor of a button.
// Points are in the main window's client coordinates.
#pragma once

#include "manager/app/PopupMenus.h"
#include "manager/app/SkinStrings.h"

struct WindowPoint {
    int x = 0;
    int y = 0;
};

// Inside as a window sees it: the left and top edges belong to the
// rectangle, the right and bottom ones do not.
bool InsideSkinRect(const SkinRect& rect, WindowPoint point);

// A point of a list's own client coordinates in the main window's: moved by
// the top-left corner of the list's place in the skin.
WindowPoint ListPointInWindow(const SkinRect& list, int x, int y);

// The two lists' places in the skin.
struct ListPlaces {
    SkinRect pc;      // 1002
    SkinRect player;  // 1003
};

// While dragging: the arrow over either list, the "no" cursor elsewhere.
bool DragCursorIsArrow(const ListPlaces& places, WindowPoint point);

// A drop from list `source` (1002 or 1003) at `point` starts the copy toward
// the other list when the point lies on it; `command` is set then. A drop on
// the list it came from, or anywhere else, does nothing.
bool DropCommand(int source, const ListPlaces& places, WindowPoint point, ManagerCommand& command);

// The buttons that show a hand over them.
bool HasHandCursor(int control);

enum class ButtonMouse { kMove, kLeftDown, kLeftUp };
struct HandCursorStep {
    unsigned cursor;  // the skin's cursor to show: 3043 pressed, 3044 not
    bool pressed;     // the button-pressed flag after the event
};
HandCursorStep HandCursorFor(ButtonMouse event, bool pressed);
