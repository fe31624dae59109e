#pragma once

#include <cstdint>

// How a window change animates: whether at all, the easing curve and how long.
struct UxTransitionSpec {
    UxTransitionSpec() = default;
    UxTransitionSpec(float durationSeconds, int32_t easingId)
        : enabled(1)
        , easing(easingId)
        , duration(durationSeconds)
    {
    }

    int32_t enabled = 0;
    int32_t easing = 19;
    float duration = 0; // seconds
};
