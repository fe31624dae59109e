#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxTween.h"

// A window's move or resize: the tween runs 0 to 1 along the curve, the rectangle
// follows it.
struct UxRectTween {
    UxTween progress;
    plat::RECT from;
    plat::RECT to;
    plat::RECT current;
};
