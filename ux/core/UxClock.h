#pragma once

#include "ux/core/UxSingleton.h"

#include <cstdint>

// The toolkit's millisecond time base. The message loop calls Update once per turn, so
// every handler of one turn sees the same time; GetElapsed reads the clock live.
class UxClock : public UxSingleton<UxClock> {
public:
    UxClock();

    // Takes the turn's time; returns the current timeGetTime value.
    uint32_t Update();
    // Milliseconds since construction as of the last Update.
    uint32_t GetTurnElapsed() const { return m_elapsed; }
    // Milliseconds since construction, now.
    uint32_t GetElapsed() const;

    // Called on each paint: frames per second from the time since the last call that
    // was at least one millisecond ago.
    void UpdateFrameRate();
    float GetFrameRate() const { return m_framesPerSecond; }

    // later - earlier for two readings of this clock, as a signed span clamped at 0: the
    // live reading may be ahead of the turn's, and an unsigned difference would wrap.
    static uint32_t Since(uint32_t earlier, uint32_t later);

private:
    uint32_t m_start = 0;
    uint32_t m_elapsed = 0;
    float m_framesPerSecond = 0;
    uint32_t m_lastFrame = 0;
};
