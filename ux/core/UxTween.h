#pragma once

#include "ux/core/UxEasing.h"
#include "ux/core/UxTimer.h"

#include <cstdint>

// A value moving from one number to another over a duration along an easing curve. The
// step callback runs every 10 ms while the tween runs; it reads the value with Update.
class UxTween {
public:
    UxTween();
    virtual ~UxTween(); // stops the timer, so no step reaches a deleted owner

    void SetFrom(float from) { m_from = from; }
    void SetTo(float to) { m_to = to; }
    void SetDuration(float seconds) { m_duration = seconds; }
    // False (and the curve unchanged) for an id outside 0-32.
    bool SetEasing(int32_t id);
    // Takes the duration and the curve of a spec.
    void SetSpec(const UxTransitionSpec& spec);

    float GetFrom() const { return m_from; }
    float GetTo() const { return m_to; }
    float GetDuration() const { return m_duration; }
    float GetValue() const { return m_current; }

    // The value at the current turn's time; exactly the end value once the duration has
    // passed, and at once for a duration of 0 or less.
    float Update();
    // The value aheadMs after the current turn's time, without moving the tween on.
    float Peek(uint32_t aheadMs) const;

    // Restarts from the start value. A tween without duration still steps once (its
    // timer fires a single time), so its owner sees it finish.
    bool Start(UxTimerProc step, uintptr_t argument);
    bool IsRunning() const;
    void Stop();

private:
    UxEasingFunction m_easing;
    float m_from = 0;
    float m_to = 0;
    float m_duration = 0;
    uint32_t m_start = 0;
    float m_current = 0;
    uint32_t m_timer = 0;
};
