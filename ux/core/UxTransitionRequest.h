#pragma once

#include "ux/core/UxEasing.h"

#include <cstdint>

class UxWindow;

// What a transition animates: from the source window (leaving) to the target window
// (arriving), by which effect and in which direction.
struct UxTransitionRequest {
    enum Kind : int32_t { Push = 0, Cover = 1, Uncover = 2, CrossFade = 3, ZoomOut = 4, ZoomIn = 5 };
    // Direction of the slides: 0 and 1 along x, 2 and 3 along y (see UxTransition).
    enum Parameter : int32_t { Right = 0, Left = 1, Down = 2, Up = 3 };

    UxWindow* Source = nullptr;
    UxWindow* Target = nullptr;
    int32_t Kind = Push;
    int32_t Parameter = Left;
    UxTransitionSpec Spec;

    // The way back: source and target swapped, cover and uncover exchanged, zoom out and
    // zoom in exchanged, each direction turned round.
    UxTransitionRequest Reverse() const;
};
