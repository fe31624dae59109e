#include "ux/core/UxEasing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kBack = 1.70158f;

float Pow2(float x)
{
    return std::exp2(x);
}

float Linear(float t, float b, float c, float d)
{
    return c * (t / d) + b;
}

float QuadIn(float t, float b, float c, float d)
{
    float p = t / d;
    return c * p * p + b;
}
float QuadOut(float t, float b, float c, float d)
{
    float p = t / d;
    return -c * p * (p - 2) + b;
}
float QuadInOut(float t, float b, float c, float d)
{
    float q = t / (d / 2);
    if (q < 1)
        return c / 2 * q * q + b;
    return -c / 2 * ((q - 1) * (q - 3) - 1) + b;
}

// Powers 3 to 5 share their shapes: in p^n, out 1 +- (p-1)^n, in-out both halves.
template <int N> float PowN(float x)
{
    float r = 1;
    for (int i = 0; i < N; ++i)
        r *= x;
    return r;
}
template <int N> float PowIn(float t, float b, float c, float d)
{
    return c * PowN<N>(t / d) + b;
}
template <int N> float PowOut(float t, float b, float c, float d)
{
    float p = t / d - 1;
    return N % 2 ? c * (PowN<N>(p) + 1) + b : -c * (PowN<N>(p) - 1) + b;
}
template <int N> float PowInOut(float t, float b, float c, float d)
{
    float q = t / (d / 2);
    if (q < 1)
        return c / 2 * PowN<N>(q) + b;
    q -= 2;
    return N % 2 ? c / 2 * (PowN<N>(q) + 2) + b : -c / 2 * (PowN<N>(q) - 2) + b;
}

float SineIn(float t, float b, float c, float d)
{
    return -c * std::cos(t / d * (kPi / 2)) + c + b;
}
float SineOut(float t, float b, float c, float d)
{
    return c * std::sin(t / d * (kPi / 2)) + b;
}
float SineInOut(float t, float b, float c, float d)
{
    return -c / 2 * (std::cos(kPi * t / d) - 1) + b;
}

float ExpoIn(float t, float b, float c, float d)
{
    return t == 0 ? b : c * Pow2(10 * (t / d - 1)) + b;
}
// The default curve: starts a hair past b so that the first frame already moves.
float ExpoOut(float t, float b, float c, float d)
{
    if (t == d)
        return b + c;
    return b + std::min(c * (1 - Pow2(-10 * t / d)) + 0.001f, c);
}
float ExpoInOut(float t, float b, float c, float d)
{
    if (t == 0)
        return b;
    if (t == d)
        return b + c;
    float q = t / (d / 2);
    if (q < 1)
        return c / 2 * Pow2(10 * (q - 1)) + b;
    return c / 2 * (2 - Pow2(-10 * (q - 1))) + b;
}

float CircIn(float t, float b, float c, float d)
{
    float p = t / d;
    return -c * (std::sqrt(std::max(0.0f, 1 - p * p)) - 1) + b;
}
float CircOut(float t, float b, float c, float d)
{
    float p = t / d - 1;
    return c * std::sqrt(std::max(0.0f, 1 - p * p)) + b;
}
float CircInOut(float t, float b, float c, float d)
{
    float q = t / (d / 2);
    if (q < 1)
        return -c / 2 * (std::sqrt(std::max(0.0f, 1 - q * q)) - 1) + b;
    q -= 2;
    return c / 2 * (std::sqrt(std::max(0.0f, 1 - q * q)) + 1) + b;
}

float BackIn(float t, float b, float c, float d)
{
    float p = t / d;
    return c * p * p * ((kBack + 1) * p - kBack) + b;
}
float BackOut(float t, float b, float c, float d)
{
    float p = t / d - 1;
    return c * (p * p * ((kBack + 1) * p + kBack) + 1) + b;
}
float BackInOut(float t, float b, float c, float d)
{
    float s = kBack * 1.525f;
    float q = t / (d / 2);
    if (q < 1)
        return c / 2 * (q * q * ((s + 1) * q - s)) + b;
    q -= 2;
    return c / 2 * (q * q * ((s + 1) * q + s) + 2) + b;
}

// The wave both elastic ends share: amplitude c, period 0.3 d, phase a quarter period.
float ElasticWave(float q, float d)
{
    float period = d * 0.3f;
    return std::sin((q * d - period / 4) * (2 * kPi) / period);
}
float ElasticIn(float t, float b, float c, float d)
{
    float p = t / d;
    if (t == 0)
        return b;
    if (p == 1)
        return b + c;
    return -(c * Pow2(10 * (p - 1)) * ElasticWave(p - 1, d)) + b;
}
float ElasticOut(float t, float b, float c, float d)
{
    float p = t / d;
    if (t == 0)
        return b;
    if (p == 1)
        return b + c;
    return c * Pow2(-10 * p) * ElasticWave(p, d) + c + b;
}
float ElasticInOut(float t, float b, float c, float d)
{
    float q = t / (d / 2);
    if (t == 0)
        return b;
    if (q == 2)
        return b + c;
    float period = d * 0.45f;
    q -= 1;
    float wave = std::sin((q * d - period / 4) * (2 * kPi) / period);
    if (q < 0)
        return -0.5f * (c * Pow2(10 * q) * wave) + b;
    return c * Pow2(-10 * q) * wave * 0.5f + c + b;
}

float BounceOut(float t, float b, float c, float d)
{
    float p = t / d;
    if (p < 1 / 2.75f)
        return c * (7.5625f * p * p) + b;
    if (p < 2 / 2.75f) {
        p -= 1.5f / 2.75f;
        return c * (7.5625f * p * p + 0.75f) + b;
    }
    if (p < 2.5f / 2.75f) {
        p -= 2.25f / 2.75f;
        return c * (7.5625f * p * p + 0.9375f) + b;
    }
    p -= 2.625f / 2.75f;
    return c * (7.5625f * p * p + 0.984375f) + b;
}
float BounceIn(float t, float b, float c, float d)
{
    return c - BounceOut(d - t, 0, c, d) + b;
}
float BounceInOut(float t, float b, float c, float d)
{
    if (t < d / 2)
        return BounceIn(t * 2, 0, c, d) * 0.5f + b;
    return BounceOut(t * 2 - d, 0, c, d) * 0.5f + c * 0.5f + b;
}

// Rounding leaves several curves a few ulps off b + c at t = d; animations must land
// exactly on their end value, and a zero duration must not divide by zero.
template <UxEasingFunction Curve> float Exact(float t, float b, float c, float d)
{
    if (d <= 0 || t >= d)
        return b + c;
    return Curve(t, b, c, d);
}

constexpr UxEasingFunction kCurves[kUxEasingCount] = {
    Exact<Linear>,
    Exact<Linear>,
    Exact<Linear>,
    Exact<QuadIn>,
    Exact<QuadOut>,
    Exact<QuadInOut>,
    Exact<PowIn<3>>,
    Exact<PowOut<3>>,
    Exact<PowInOut<3>>,
    Exact<PowIn<4>>,
    Exact<PowOut<4>>,
    Exact<PowInOut<4>>,
    Exact<PowIn<5>>,
    Exact<PowOut<5>>,
    Exact<PowInOut<5>>,
    Exact<SineIn>,
    Exact<SineOut>,
    Exact<SineInOut>,
    Exact<ExpoIn>,
    Exact<ExpoOut>,
    Exact<ExpoInOut>,
    Exact<CircIn>,
    Exact<CircOut>,
    Exact<CircInOut>,
    Exact<BackIn>,
    Exact<BackOut>,
    Exact<BackInOut>,
    Exact<ElasticIn>,
    Exact<ElasticOut>,
    Exact<ElasticInOut>,
    Exact<BounceIn>,
    Exact<BounceOut>,
    Exact<BounceInOut>,
};

} // namespace

UxEasingFunction GetEasing(int32_t id)
{
    if (id < 0 || id >= kUxEasingCount)
        return nullptr;
    return kCurves[id];
}

float Clamp(float x, float low, float high)
{
    if (x < low)
        return low;
    if (x > high)
        return high;
    return x;
}

float Lerp(float a, float b, float t)
{
    return (1 - t) * a + t * b;
}
