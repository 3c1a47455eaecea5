// What Tavlo's owner-drawn popup menus decide without drawing: the record
// each item carries and the size of an item.
#pragma once

// The item data of an owner-drawn item: its text in 16 characters with
// the terminator (32 bytes on Windows), and its icons (resource ids of the
// skin library; -1 none, and -1 for the selected look: the plain icon
// serves).
struct MenuItemRecord {
    static const int kTextChars = 16;
    wchar_t text[kTextChars] = {};
    int icon = -1;
    int selectedIcon = -1;
};

// Copies as much of `text` as fits with its terminator, never half of a
// character made of two UTF-16 units.
void SetMenuItemText(MenuItemRecord& record, const wchar_t* text);

struct MenuItemSize {
    int width;
    int height;
};

// Width: characters x the menu font's average width + the icon area + 10;
// height: the larger of the system's menu height + 1 and the icon area.
MenuItemSize MeasureMenuItem(int characters, int averageCharWidth, int iconWidth, int iconHeight, int menuHeight);

// The icon area drawn for a set size: 32 when the size is 0.
inline int DrawnIconLength(int length) { return length == 0 ? 32 : length; }
