// How the skin library's strings read: element strings and lists.
//
// An element string is the visibility digit ("1" shown, "0" hidden), one
// separator character, then x, y, width and height as decimal integers
// separated by commas; empty fields are skipped, so ",," counts as one comma.
// A list is one string cut at its separator, empty pieces dropped.
#pragma once

#include <string>
#include <vector>

// A rectangle in the main window's client coordinates; right and bottom lie
// outside it.
struct SkinRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct SkinElement {
    int visible = 0;  // the digit read; any other than 0 shows the element
    SkinRect rect;

    bool Shown() const { return visible != 0; }
};

// The skin library lies outside the program, so an element string is never
// trusted: one that is missing, holds fewer than four numbers, a field that
// is not a number, a number beyond the screen's coordinate range or a
// negative width or height gives a hidden element with an empty rectangle.
// Numbers past the fourth are ignored.
SkinElement ParseSkinElement(const std::wstring& text);

// A whole decimal integer between -32768 and 32767, blanks around it allowed
// (window sizes and coordinates); false for anything else.
bool ParseSkinNumber(const std::wstring& text, int& value);

std::vector<std::wstring> SplitSkinList(const std::wstring& text, wchar_t separator);
