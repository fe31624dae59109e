#pragma once

#include "ux/core/UxTween.h"

#include <cstdint>

// A window's fade: the tween runs 0 to 1 along the curve, the alpha follows it.
struct UxAlphaTween {
    UxAlphaTween() { progress.SetDuration(1.0f); }

    UxTween progress;
    uint8_t from = 255;
    uint8_t to = 255;
    uint8_t current = 255;
};
