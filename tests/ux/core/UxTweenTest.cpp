#include "ux/core/UxTween.h"
#include "tests/support/UxPump.h"
#include "ux/core/UxEasing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Values at half the duration for b = 0, c = 1, d = 1, worked out by hand from the
// curves' definitions.
constexpr float kMid[kUxEasingCount] = {
    0.5f, 0.5f, 0.5f, // linear
    0.25f, 0.75f, 0.5f, // quadratic
    0.125f, 0.875f, 0.5f, // cubic
    0.0625f, 0.9375f, 0.5f, // quartic
    0.03125f, 0.96875f, 0.5f, // quintic
    0.29289322f, 0.70710678f, 0.5f, // sine
    0.03125f, 0.96975f, 0.5f, // exponential (out starts 0.001 ahead)
    0.1339746f, 0.8660254f, 0.5f, // circular
    -0.0876975f, 1.0876975f, 0.5f, // back
    -0.015625f, 1.015625f, 0.5f, // elastic
    0.234375f, 0.765625f, 0.5f, // bounce
};

TEST(UxEasing, EveryCurveStartsPassesMidAndEndsExactly)
{
    for (int32_t id = 0; id < kUxEasingCount; ++id) {
        SCOPED_TRACE(id);
        UxEasingFunction f = GetEasing(id);
        ASSERT_NE(f, nullptr);
        EXPECT_NEAR(f(0.5f, 0, 1, 1), kMid[id], 1e-5f);
        EXPECT_NEAR(f(0, 3, 7, 0.37f), id == 19 ? 3.001f : 3.0f, 1e-5f);
        // Exactly the end value at and after the duration, whatever rounding would give.
        EXPECT_EQ(f(0.37f, 3, -7, 0.37f), -4.0f);
        EXPECT_EQ(f(5, 3, -7, 0.37f), -4.0f);
        // No duration: the end at once, never a division by zero.
        EXPECT_EQ(f(0, 2, 5, 0), 7.0f);
        EXPECT_EQ(f(0, 2, 5, -1), 7.0f);
    }
}

TEST(UxEasing, IdsOutsideTheTableAndEnds)
{
    EXPECT_EQ(GetEasing(33), nullptr);
    EXPECT_EQ(GetEasing(-1), nullptr);
    EXPECT_EQ(Lerp(-3.3f, 7.7f, 1), 7.7f); // exactly the end, not a rounded sum
    // The default curve jumps 0.001 at its start, but never past its end.
    EXPECT_FLOAT_EQ(GetEasing(19)(0, 10, 0.0005f, 1), 10.0005f);
    EXPECT_FLOAT_EQ(GetEasing(19)(0.999f, 0, 1, 1), 1.0f);
}

struct Stepper {
    UxTween tween;
    std::vector<float> values;
    std::vector<bool> running;
};

void Step(uintptr_t argument)
{
    auto* s = reinterpret_cast<Stepper*>(argument);
    s->values.push_back(s->tween.Update());
    s->running.push_back(s->tween.IsRunning());
}

TEST(UxTween, StepsUntilItLandsOnTheEndValue)
{
    for (int32_t id = 0; id < kUxEasingCount; ++id) {
        SCOPED_TRACE(id);
        UxTimeFixture time;
        Stepper s;
        s.tween.SetFrom(-12.5f);
        s.tween.SetTo(37.25f);
        s.tween.SetSpec(UxTransitionSpec(0.25f, id));
        ASSERT_TRUE(s.tween.Start(Step, reinterpret_cast<uintptr_t>(&s)));
        EXPECT_EQ(s.tween.GetValue(), -12.5f);
        UxPumpFor(1000);
        ASSERT_EQ(s.values.size(), 25u); // every 10 ms, the one at 0.25 s the last
        EXPECT_EQ(s.values.back(), 37.25f);
        EXPECT_FALSE(s.running.back());
        EXPECT_TRUE(s.running[23]);
        EXPECT_EQ(s.tween.Update(), 37.25f);
    }
}

TEST(UxTween, NoDurationFinishesAtOnceAtItsEnd)
{
    UxTimeFixture time;
    Stepper s;
    s.tween.SetFrom(1);
    s.tween.SetTo(9);
    s.tween.SetDuration(0);
    EXPECT_EQ(s.tween.Update(), 9.0f);
    ASSERT_TRUE(s.tween.Start(Step, reinterpret_cast<uintptr_t>(&s)));
    UxPumpFor(1000);
    ASSERT_EQ(s.values.size(), 1u); // one step, not a timer for ever
    EXPECT_EQ(s.values[0], 9.0f);
    EXPECT_FALSE(s.running[0]);
}

TEST(UxTween, StopRestartAndUnknownCurve)
{
    UxTimeFixture time;
    Stepper s;
    s.tween.SetTo(100);
    s.tween.SetDuration(1);
    EXPECT_FALSE(s.tween.SetEasing(40));
    EXPECT_TRUE(s.tween.SetEasing(0));
    s.tween.Start(Step, reinterpret_cast<uintptr_t>(&s));
    UxPumpFor(500);
    EXPECT_NEAR(s.values.back(), 50.0f, 1e-3f);
    s.tween.Stop();
    EXPECT_FALSE(s.tween.IsRunning());
    size_t steps = s.values.size();
    UxPumpFor(1000);
    EXPECT_EQ(s.values.size(), steps);

    // Starting again begins at the start value with a fresh clock.
    s.tween.Start(Step, reinterpret_cast<uintptr_t>(&s));
    EXPECT_EQ(s.tween.GetValue(), 0.0f);
    UxPumpFor(100);
    EXPECT_NEAR(s.values.back(), 10.0f, 1e-3f);
    {
        Stepper gone;
        gone.tween.SetDuration(1);
        gone.tween.Start(Step, reinterpret_cast<uintptr_t>(&gone));
    } // deleted while running: its steps stop with it
    UxPumpFor(100);
}

} // namespace
