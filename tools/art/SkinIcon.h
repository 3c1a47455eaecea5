// Tavlo's icon (6000): the player in the skin's colours with a note on its
// display, 16, 32 and 48 pixels, 32-bit with alpha.
#pragma once

#include "ArtFiles.h"

Bytes TavloIcon();
