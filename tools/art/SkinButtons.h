// The button strips: per button five frames of the button's size side by
// side (normal, hover, down, disabled, mask). Each frame is drawn over the
// piece of background the button covers, so its smoothed edge meets the
// window; the mask is white where the button's shape leaves that piece out.
#pragma once

#include <string>
#include <vector>

#include "SkinPaint.h"

struct ButtonStrip {
    unsigned elementId;  // the lower id of the element string
    std::string fileName;
    Picture strip;
};

std::vector<ButtonStrip> ButtonStrips(const Picture& background);

// The gauge's tiles, repeated along it: lit for the used space (2024) and
// dim for the free space (2025).
Picture GaugeTile(bool used);
