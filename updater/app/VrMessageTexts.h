// The texts of the message boxes: caption and buttons come from the program's
// own string table, so that a box speaks the user's language even when no
// language library could be loaded (the library-load failure itself is shown
// in such a box).
#pragma once

#include <string>

#include "platform/Host.h"

struct VrMessageTexts {
    std::wstring caption;  // empty for a kind without caption
    std::wstring ok;
    std::wstring yes;
    std::wstring no;
    std::wstring expand;
    std::wstring collapse;
};

// The texts of a box of `kind` in the user's language; a text the table does
// not hold stays empty, and the box keeps the one its template has.
VrMessageTexts VrLoadMessageTexts(Host& host, int kind);
