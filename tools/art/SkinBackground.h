// The window's background picture (2003/2004): the player's body with its
// panels, printed symbols and the wheel; the colour kOutside marks what lies
// outside the window's outline.
#pragma once

#include "SkinPaint.h"

Picture Background();
