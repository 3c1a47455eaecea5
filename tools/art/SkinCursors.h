// The hand cursors over the skin's buttons: 3044 pointing, 3043 pressing.
// Monochrome 32 by 32, which every system of the program's era shows.
#pragma once

#include "ArtFiles.h"

Bytes HandCursor(bool pressed);
