#pragma once

#include <cstdint>

// Easing curve: time since start t, start value b, change c, duration d (seconds).
// Every curve gives b + c exactly once t reaches d (and for a duration of 0 or less).
using UxEasingFunction = float (*)(float t, float b, float c, float d);

// Curves 0-32 (0-2 linear, then quadratic, cubic, quartic, quintic, sine, exponential,
// circular, back, elastic and bounce, each in, out and in-out); null for other ids.
UxEasingFunction GetEasing(int32_t id);

constexpr int32_t kUxEasingCount = 33;
constexpr int32_t kUxDefaultEasing = 19;

float Clamp(float x, float low, float high);
float Lerp(float a, float b, float t);

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
    int32_t easing = kUxDefaultEasing;
    float duration = 0; // seconds
};
